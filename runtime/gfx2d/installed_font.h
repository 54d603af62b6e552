// Where an installed program finds the start-up font when none lies beside it or in its
// pack: the runtime's share folder next to the program's bin folder (a program in /usr/bin
// reads /usr/share/zorvane/smalfont.png).
#pragma once

#include <string>

namespace zrv {

// The font's path, or "" when there is no such file.
std::string InstalledFontPath();

}  // namespace zrv
