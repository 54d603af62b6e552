#include "files/line_store.h"

#include <algorithm>

#include "core/fatal.h"
#include "files/files_state.h"
#include "files/media_resolver.h"
#include "files/memory_files.h"
#include "files/plain_file.h"
#include "files/replace_file.h"
#include "files/rt_file.h"
#include "files/text_lines.h"
#include "zorvane/config_files.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

// Code 7 is what programs know for a line index outside 0..255.
constexpr std::int32_t kBadLineIndex = 7;

bool ValidIndex(std::int32_t index) noexcept { return index >= 0 && index < kLineCount; }

}  // namespace

void LineStore::WriteBackIfChanged() noexcept {
    if (!linesChanged || lineFileName.empty() || IsMemoryFileName(lineFileName)) return;
    linesChanged = false;
    try {
        std::string text;
        for (std::int32_t i = 0; i <= lastLine; ++i) text += lines[static_cast<std::size_t>(i)] + "\r\n";
        ReplaceFileContents(linePath, text);
    } catch (...) {
        // As any failure of a write-back: the file stays as it was.
    }
}

bool SelectLineFile(LineStore& store, const std::string& name, bool reportMissing) {
    if (name == store.lineFileName) return store.lineFileFound;
    store.WriteBackIfChanged();
    for (std::string& line : store.lines) line.clear();
    store.lastLine = 0;
    store.linesChanged = false;
    store.lineFileFound = false;
    store.lineFileName = name;
    store.linePath = AbsolutePath(name);

    // A device or a pipe counts as missing; it would be read without end.
    std::string usable;
    RtFile file;
    if (ResolveName(Files().memoryResolver, name, usable, true) == 0 || !IsPlainFile(usable) ||
        !file.OpenRead(usable.c_str())) {
        if (reportMissing) SetErrorCode(kErrorNoSuchFile);
        return false;
    }
    std::int32_t index = 0;
    ForEachLine(file, kLineCount, [&store, &index](std::string_view line) {
        store.lines[static_cast<std::size_t>(index++)] = line;
    });
    store.lastLine = index > 0 ? index - 1 : 0;
    store.lineFileFound = true;
    return true;
}

}  // namespace zrv

namespace {

RtString LineOf(const RtString& name, double index) {
    const std::int32_t line = TruncateToInt32(index);
    if (!zrv::ValidIndex(line)) {
        SetErrorCode(zrv::kBadLineIndex);
        return RtString("NO_DATA");
    }
    auto& store = zrv::Files().lines;
    try {
        if (!zrv::SelectLineFile(store, name.c_str(), true)) return RtString("NO_FILE");
    } catch (...) {
        // The lines the program reads are its values (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    std::string_view text = store.lines[static_cast<std::size_t>(line)];
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) text.remove_suffix(1);
    if (text.empty()) return RtString("NO_DATA");
    return RtString(text.data(), static_cast<std::uint32_t>(text.size()));
}

}  // namespace

void ReadFileLine(const RtString& name, double index, RtString& text) { text = LineOf(name, index); }

void ReadFileLineNumber(const RtString& name, double index, double& value) {
    value = TextToNumber(LineOf(name, index));
}

void ReadFileLineInt(const RtString& name, double index, std::int32_t& value) {
    value = TextToInt(LineOf(name, index));
}

std::int32_t WriteFileLine(const RtString& name, double index, const RtString& text) {
    const std::int32_t line = TruncateToInt32(index);
    if (!zrv::ValidIndex(line)) {
        SetErrorCode(zrv::kBadLineIndex);
        return zrv::kBadLineIndex;
    }
    auto& store = zrv::Files().lines;
    try {
        zrv::SelectLineFile(store, name.c_str(), false);
        const std::uint32_t kept = text.Length() < zrv::kMaxLineLength ? text.Length() : zrv::kMaxLineLength;
        store.lines[static_cast<std::size_t>(line)].assign(text.Buffer(), kept);
    } catch (...) {
        // The line the program writes is its value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    store.lastLine = std::max(store.lastLine, line);
    store.linesChanged = true;
    store.lineFileFound = true;
    return 0;
}

std::int32_t WriteFileLineNumber(const RtString& name, double index, double value) {
    return WriteFileLine(name, index, NumberToText(value));
}
