// Starting other programs from command lines, without a shell, and seeing them end.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

// A started child: its process id on POSIX, its process handle on Windows.
using ChildProcess = std::intptr_t;
inline constexpr ChildProcess kNoChild = -1;

// Starts the program of the command line. POSIX: the line is split into arguments and the
// program searched on PATH when the name has no "/"; shown has no meaning there. Windows:
// the line goes to the system as it is, which finds the program and splits it; shown
// false starts the child's window hidden. kNoChild when nothing was started: an empty
// line or a program that does not exist.
ChildProcess StartProcess(const std::string& commandLine, bool shown = true);

// Waits until the child has ended: its exit code (on POSIX 128 + the number of the signal
// that ended it); 0 when it is no child to wait for. The child is let go of afterwards.
int WaitForExitCode(ChildProcess child);

// Nobody waits for this child: it is let go of so that a long-running program gathers no
// zombies or handles.
void ReapWhenEnded(ChildProcess child);

}  // namespace zrv
