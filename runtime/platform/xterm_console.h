// A console window of the process's own: an xterm on a new pseudo-terminal.
#pragma once

namespace zrv {

// Starts xterm as the window of a new pseudo-terminal (its "-S" mode) and returns the
// terminal end the process reads and writes, or -1 when there is no xterm or it does not
// come up (no display, say).
int OpenXtermTerminal();

}  // namespace zrv
