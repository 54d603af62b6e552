// The line store: one text file of up to 256 lines in memory, read and written by line
// number, written back when the program turns to another line file or ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zrv {

inline constexpr std::int32_t kLineCount = 256;

struct LineStore {
    std::string lineFileName;  // as the program gave it
    std::string linePath;      // where it is written back
    std::array<std::string, kLineCount> lines;
    std::int32_t lastLine = 0;
    bool linesChanged = false;
    // False while the current file neither exists nor has been written to.
    bool lineFileFound = false;

    LineStore() = default;
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;
    // The program's end writes a changed store back.
    ~LineStore() { WriteBackIfChanged(); }

    void WriteBackIfChanged() noexcept;
};

// Makes name the current line file (nothing happens when it already is): the old one is
// written back if changed, the new one loaded. False when the file does not exist; error
// code 3 is then set when reportMissing.
bool SelectLineFile(LineStore& store, const std::string& name, bool reportMissing);

}  // namespace zrv
