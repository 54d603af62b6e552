#include "files/text_lines.h"

#include <cstring>
#include <limits>
#include <vector>

namespace zrv {

void LineSplitter::EndLine() {
    if (!cut_ && !line_.empty() && line_.back() == '\r') line_.pop_back();
    const std::size_t nul = line_.find('\0');
    onLine_(std::string_view(line_).substr(0, nul));
    line_.clear();
    rawLength_ = 0;
    cut_ = false;
    ++done_;
}

bool LineSplitter::Feed(const char* bytes, std::size_t count, std::int32_t maxLines) {
    const char* end = bytes + count;
    while (bytes < end && done_ < maxLines) {
        const void* found = std::memchr(bytes, '\n', static_cast<std::size_t>(end - bytes));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        const std::size_t piece = static_cast<std::size_t>(stop - bytes);
        const std::size_t room = kMaxLineLength - line_.size();
        line_.append(bytes, piece < room ? piece : room);
        if (piece > room) cut_ = true;
        rawLength_ += piece;
        bytes = stop;
        if (found != nullptr) {
            EndLine();
            ++bytes;
        }
    }
    return done_ < maxLines;
}

void LineSplitter::Finish(std::int32_t maxLines) {
    if (rawLength_ > 0 && done_ < maxLines) EndLine();
}

void ForEachLine(RtFile& file, std::int32_t maxLines, const LineHandler& onLine) {
    LineSplitter splitter(onLine);
    if (const std::uint8_t* memory = file.MemoryBytes()) {
        const std::int32_t from = file.Position();
        if (from >= 0 && from <= file.OpenedSize()) {
            splitter.Feed(reinterpret_cast<const char*>(memory) + from,
                          static_cast<std::size_t>(file.OpenedSize() - from), maxLines);
        }
    } else {
        std::vector<char> chunk(64 * 1024);
        for (;;) {
            const std::int32_t got = file.ReadSome(chunk.data(), static_cast<std::int32_t>(chunk.size()));
            if (got <= 0 || !splitter.Feed(chunk.data(), static_cast<std::size_t>(got), maxLines)) break;
        }
    }
    splitter.Finish(maxLines);
}

void ForEachLine(std::string_view text, std::int32_t maxLines, const LineHandler& onLine) {
    LineSplitter splitter(onLine);
    splitter.Feed(text.data(), text.size(), maxLines);
    splitter.Finish(maxLines);
}

}  // namespace zrv
