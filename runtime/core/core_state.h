// The core's share of the process-wide state, read by every subsystem: the program's
// settings and its error state.
#pragma once

#include "zorvane/program.h"

namespace zrv {

ProjectSettings& Settings() noexcept;
RuntimeErrorState& Errors() noexcept;

}  // namespace zrv
