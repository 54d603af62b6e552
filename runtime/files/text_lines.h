// Splitting text into lines as the configuration and line stores read their files: a line
// ends at "\n" or the end of the data, a "\r" before its end is removed, it ends at a NUL,
// and at most 1023 characters are kept (the rest of a longer line is dropped).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/rt_file.h"

namespace zrv {

using LineHandler = std::function<void(std::string_view line)>;

class LineSplitter {
public:
    explicit LineSplitter(LineHandler onLine) : onLine_(std::move(onLine)) {}
    // Returns false once maxLines lines have been handed on.
    bool Feed(const char* bytes, std::size_t count, std::int32_t maxLines);
    // The last line, when the data does not end with "\n".
    void Finish(std::int32_t maxLines);
    std::int32_t LinesDone() const noexcept { return done_; }

private:
    void EndLine();

    LineHandler onLine_;
    std::string line_;
    std::size_t rawLength_ = 0;
    bool cut_ = false;
    std::int32_t done_ = 0;
};

// Reads the file from its position on and hands on at most maxLines lines.
void ForEachLine(RtFile& file, std::int32_t maxLines, const LineHandler& onLine);
void ForEachLine(std::string_view text, std::int32_t maxLines, const LineHandler& onLine);

}  // namespace zrv
