// Where the runtime finds its own executable.
#pragma once

#include <string>

namespace zrv {

// The running executable's full path ("" when it cannot be read), with "/" between its
// parts on every system ("C:/games/player.exe" on Windows).
std::string ExecutablePath();
// The executable's folder without a trailing "/" (the root stays "/").
std::string ExecutableDirectory();
// Makes the executable's folder the current directory.
void EnterExecutableDirectory();

}  // namespace zrv
