// Starting other programs from command lines, without a shell, and seeing them end.
#pragma once

#include <sys/types.h>

#include <string>

namespace zrv {

// Splits the command line into arguments and starts the program (searched on PATH when
// the name has no "/"). Returns the child's process id, or -1 when it could not be
// started: an empty line or a program that does not exist.
pid_t StartProcess(const std::string& commandLine);

// Waits until the child has ended, through interruptions by signals: its exit code, or
// 128 + the number of the signal that ended it; 0 when it is no child to wait for.
int WaitForExitCode(pid_t pid);

// Nobody waits for this child: it is reaped in the background once it ends, so that a
// long-running program gathers no zombies.
void ReapWhenEnded(pid_t pid);

}  // namespace zrv
