// Ways the runtime itself ends the program on an error it cannot report otherwise.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

// Sets the error code (error line := current line) and stops the program.
[[noreturn]] void StopWithError(std::int32_t code);

// Storage for a value could not be obtained: error 7, then the program stops.
[[noreturn]] void StopOutOfMemory();

// Start-up cannot give the program what it needs to run at all (its window): the reason
// goes to standard error and into the log, the runtime shuts down and the process ends
// with exit code 1, the one case that does not end with 0, so that whoever started the
// program learns that it never ran. The program's quit hook is not called.
[[noreturn]] void StopAtStartUp(const std::string& reason);

}  // namespace zrv
