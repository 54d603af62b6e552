// Where the runtime finds its own executable.
#pragma once

#include <string>

namespace zrv {

// The running executable's full path ("" when it cannot be read).
std::string ExecutablePath();
// The executable's folder without a trailing "/" (the root stays "/").
std::string ExecutableDirectory();
// Makes the executable's folder the current directory.
void EnterExecutableDirectory();

}  // namespace zrv
