// Where FFmpeg reads a media file from: an RtFile, so that every name the file commands
// open plays (a file on disk, a "mem://" block, a pack entry unpacked into memory) and no
// name is ever taken for a URL or a protocol of FFmpeg's own.
#pragma once

#include <cstdint>
#include <string>

#include "files/rt_file.h"
#include "zorvane/rt_string.h"

struct AVFormatContext;
struct AVIOContext;

namespace zrv {

class MediaSource {
public:
    MediaSource() = default;
    ~MediaSource() { Close(); }
    MediaSource(const MediaSource&) = delete;
    MediaSource& operator=(const MediaSource&) = delete;

    // False when the name does not open as a file.
    bool Open(const std::string& name);
    void Close() noexcept;
    // Back to the first byte, for opening the file once more.
    bool Rewind();
    // Gives a format context, before avformat_open_input, the reader of this source, and
    // returns the URL to open it with.
    std::string AttachTo(AVFormatContext& format);
    // Reading through the attached context fails once it has read this many bytes; 0
    // lifts the limit. Counted afresh from every call.
    void LimitReading(std::int64_t bytes) noexcept;
    bool LimitReached() const noexcept { return limitReached_; }

private:
    bool MakeReader();
    static int Read(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);
    // FFmpeg asks this between reads of its own file reader and between packets.
    static int Interrupted(void* opaque);
    bool OverLimit() noexcept;

    std::string name_;
    RtFile file_;
    AVIOContext* io_ = nullptr;
    // A disk file too large for the file layer's 32-bit positions: FFmpeg's own file
    // reader takes it, by its explicit "file:" URL.
    bool large_ = false;
    AVFormatContext* attached_ = nullptr;
    std::int64_t limit_ = 0;
    // What the attached context had read when the limit was set.
    std::int64_t limitFrom_ = 0;
    bool limitReached_ = false;
};

// Music and movies look their names up through the file resolver but take a pack entry as
// a block in memory, since they read through the file layer: no temporary file is written.
// The player's open file keeps the block alive after the resolver's next lookup.
bool ResolvePlayableName(const RtString& name, RtString& out);

}  // namespace zrv
