#include "files/replace_file.h"

#include "files/file_system.h"

namespace zrv {

bool ReplaceFileContents(const std::string& name, std::string_view contents) {
    ReplacementFile file;
    return file.Open(name) && file.Write(contents.data(), contents.size()) && file.Commit(true);
}

std::string AbsolutePath(const std::string& name) {
    if (name.empty() || IsAbsolutePath(name)) return name;
    const std::string folder = CurrentFolder();
    return folder.empty() ? name : folder + name;
}

}  // namespace zrv
