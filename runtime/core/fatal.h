// Ways the runtime itself ends the program on an error it cannot report otherwise.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

// Sets the error code (error line := current line) and stops the program.
[[noreturn]] void StopWithError(std::int32_t code);

// Out of memory, the runtime's one rule. No exception ever leaves a command: the commands
// are called from code that knows none. What happens when storage cannot be had depends on
// whose it is:
// - storage for a value the program asked for (an array, a text, a line or key it reads
//   or writes, a listing) ends the program with error 7: it could not go on correctly
//   without the value, so StopOutOfMemory is called;
// - storage the command could do without or that stands for a whole result (a decoded
//   image, a sound, a cache, a write-back, a drawing buffer) makes the command fail as it
//   fails on a bad file: its failure value or error code, and the program goes on.
// A handler catches std::bad_alloc where only allocation can throw; catch (...) is kept
// where the same failure also covers the library's other exceptions (length_error from a
// string or vector grown past its limit, filesystem and system errors, a decoder's own),
// and each says in one line which of the two cases it is.
//
// Storage for a value could not be obtained: error 7, then the program stops.
[[noreturn]] void StopOutOfMemory();

// Start-up cannot give the program what it needs to run at all (its window): the reason
// goes to standard error and into the log, the runtime shuts down and the process ends
// with exit code 1, the one case that does not end with 0, so that whoever started the
// program learns that it never ran. The program's quit hook is not called.
[[noreturn]] void StopAtStartUp(const std::string& reason);

}  // namespace zrv
