// Writing a file back without ever being without it: the new contents go to a fresh file
// beside the old one, which is renamed over it only when complete.
#pragma once

#include <string>
#include <string_view>

namespace zrv {

// False when the new file could not be written; the old file is then untouched.
bool ReplaceFileContents(const std::string& path, std::string_view contents);
// The name made absolute against the current directory, so that a file is written back
// where it was read even after the program (or the end sequence) changed the directory.
std::string AbsolutePath(const std::string& name);

}  // namespace zrv
