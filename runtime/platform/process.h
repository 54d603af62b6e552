// Starting another program from a command line, without a shell.
#pragma once

#include <sys/types.h>

#include <string>

namespace zrv {

// Splits the command line into arguments and starts the program (searched on PATH when
// the name has no "/"). Returns the child's process id, or -1 when it could not be
// started: an empty line or a program that does not exist.
pid_t StartProcess(const std::string& commandLine);

}  // namespace zrv
