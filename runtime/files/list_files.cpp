// The listing of the current folder: folders first ("." and ".." among them, whatever the
// pattern), then the files the pattern matches, each group sorted without regard to case.
#include <string>
#include <vector>

#include "core/fatal.h"
#include "files/ascii.h"
#include "files/file_system.h"
#include "files/wildcard.h"
#include "zorvane/files.h"

namespace {

std::int32_t CompareNames(const RtString& left, const RtString& right) {
    return zrv::CompareIgnoringCase(std::string_view(left.Buffer(), left.Length()),
                                    std::string_view(right.Buffer(), right.Length()));
}

void SortNames(RtStringArray& names, std::int32_t first, std::int32_t count) {
    if (count > 1) SortStringRange(names.Data() + first, names.Data() + first + count - 1, CompareNames);
}

}  // namespace

double ListFiles(const RtString& pattern, RtStringArray& names) {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    try {
        const std::string_view match(pattern.Buffer(), pattern.Length());
        zrv::ReadCurrentFolder([&](const char* name, bool isFolder) {
            if (isFolder) {
                folders.emplace_back(name);
            } else if (zrv::MatchWildcard(match, name) != 0) {
                files.emplace_back(name);
            }
        });
    } catch (...) {
        // The listing is the program's value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    const auto folderCount = static_cast<std::int32_t>(folders.size());
    const auto fileCount = static_cast<std::int32_t>(files.size());
    names.Dim(folderCount + fileCount);
    for (std::int32_t i = 0; i < folderCount; ++i) names(i) = folders[static_cast<std::size_t>(i)].c_str();
    for (std::int32_t i = 0; i < fileCount; ++i) names(folderCount + i) = files[static_cast<std::size_t>(i)].c_str();
    SortNames(names, 0, folderCount);
    SortNames(names, folderCount, fileCount);
    return fileCount + 65536.0 * folderCount;
}
