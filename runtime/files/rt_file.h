// RtFile: one open file, either a disk file or a registered in-memory block. Every reader of
// the runtime (channels, the media resolver, the loaders of images, fonts and sounds, the
// configuration and line stores) is built on it. Multi-byte values are the callers'
// business; this object moves bytes.
#pragma once

#include <cstdint>
#include <string>

#include "files/file_system.h"
#include "files/memory_files.h"

namespace zrv {

class RtFile {
public:
    RtFile() noexcept = default;
    ~RtFile() { Close(); }
    RtFile(RtFile&& other) noexcept;
    RtFile& operator=(RtFile&& other) noexcept;
    RtFile(const RtFile&) = delete;
    RtFile& operator=(const RtFile&) = delete;

    // A "mem://" name opens its registered block; anything else an existing file that is not
    // a folder. size := the size at opening, pos := 0.
    bool OpenRead(const char* name);
    // Replaces the file with a new, empty one open for reading and writing. Refused for
    // "mem://" names.
    bool OpenWrite(const char* name);
    // Opens for writing at the end, creating the file when missing; pos stays 0. Refused
    // for "mem://" names.
    bool OpenAppend(const char* name);
    void Close() noexcept;

    // Disk: pos += n, then ok only when exactly n bytes arrived. Memory: copies what is left
    // of the n bytes (possibly nothing) and zeroes the rest of the buffer; fails only when
    // pos lies outside the block. pos then advances by n, so the read after a short one
    // finds pos past the end and fails.
    bool ReadBytes(void* buffer, std::int32_t n);
    // Reads up to n bytes; returns how many arrived (0 at the end, -1 on failure). pos
    // advances by that count.
    std::int32_t ReadSome(void* buffer, std::int32_t n);
    // count bytes as text ending at the first NUL; the same success rules as ReadBytes, but
    // memory is only taken for bytes that exist.
    bool ReadText(std::int32_t count, std::string& text);
    // One line: up to "\n" (a "\r" before it removed), at most 1023 characters; a line of
    // 1024 or more characters without "\n" gives its first 1023, and reading goes on after
    // the 1024th. Fails at the end of the data.
    bool ReadLine(std::string& line);
    // Disk only; ok when all n bytes were written. pos does not change.
    bool WriteBytes(const void* buffer, std::int32_t n);
    // origin 0: pos := distance; 1: pos += distance; 2: pos := size + distance. A disk
    // file's own pointer moves the same way.
    void Seek(std::int32_t distance, std::int32_t origin) noexcept;

    // Disk: the current size of the file; memory: the block size.
    std::int32_t Size() const noexcept;
    // The size at opening.
    std::int32_t OpenedSize() const noexcept { return size_; }
    std::int32_t Position() const noexcept { return pos_; }
    bool IsOpen() const noexcept { return fd_ >= 0 || block_ != nullptr; }
    bool IsMemory() const noexcept { return block_ != nullptr; }
    bool HasHandle() const noexcept { return fd_ >= 0; }
    // The whole block of a memory file (null for a disk file); OpenedSize() bytes.
    const std::uint8_t* MemoryBytes() const noexcept { return block_.get(); }

private:
    bool OpenDisk(const char* name, DiskAccess access);
    bool ReadLineFromDisk(std::string& line);
    bool ReadLineFromMemory(std::string& line);
    // Reads until n bytes arrived or the file ends; -1 on an error.
    std::int64_t ReadFully(void* buffer, std::int64_t n) noexcept;

    int fd_ = -1;
    SharedBytes block_;
    std::int32_t size_ = 0;
    std::int32_t pos_ = 0;
};

// Maximum characters of a text line (one more is read and lost when a line is longer).
constexpr std::int32_t kMaxLineLength = 1023;

}  // namespace zrv
