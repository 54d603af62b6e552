// The socket table and the network error: finding, opening and closing entries.
#pragma once

#include <cstdint>

#include "net/net_state.h"

namespace zrv {

// Start-up: every entry free, and room for all of them among the process's open files.
void StartNet() noexcept;
// Shutdown: every open socket closed and the start count back to 0.
void StopNet() noexcept;

// netError := code; returns -1, the failure value of most commands.
std::int32_t FailWith(int code) noexcept;
// The lowest free entry, or -1 with network error 8 when there is none or another socket
// would take one of the descriptors kept for files.
std::int32_t FindFreeEntry() noexcept;
// A socket the system would not make: out of descriptors is the table's error 8 too.
std::int32_t FailToOpen(int error) noexcept;
// The open entry of a socket number, or null with the not-a-socket network error.
SocketEntry* OpenEntry(std::int32_t socket) noexcept;
// Frees the entry; false when the system could not close the socket.
bool CloseEntry(SocketEntry& entry) noexcept;
void CloseAllSockets() noexcept;
// The local port a socket is bound to, 0 when unbound or not open.
std::int32_t LocalPort(std::int32_t socket) noexcept;

}  // namespace zrv
