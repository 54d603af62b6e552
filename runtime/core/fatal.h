// Ways the runtime itself ends the program on an error it cannot report otherwise.
#pragma once

#include <cstdint>

namespace zrv {

// Sets the error code (error line := current line) and stops the program.
[[noreturn]] void StopWithError(std::int32_t code);

// Storage for a value could not be obtained: error 7, then the program stops.
[[noreturn]] void StopOutOfMemory();

}  // namespace zrv
