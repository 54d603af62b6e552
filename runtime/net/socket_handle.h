// A socket as the runtime keeps it: a descriptor, or a Winsock handle (which fits the same
// integer). Kept apart from the system's headers, which on Windows bring the whole API and
// its macros into every file of the runtime that sees the network state.
#pragma once

#include <cstdint>

namespace zrv {

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

}  // namespace zrv
