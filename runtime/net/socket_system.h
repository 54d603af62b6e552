// The system's socket calls under the network commands: BSD sockets (socket_system_posix.cpp)
// or Winsock (socket_system_win32.cpp). Error codes are the system's own, as the program
// sees them in the network error: errno values here, Winsock's (10035, 10054, ...) there.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <cstddef>
#include <cstdint>
#include <string>

#include "net/socket_handle.h"

namespace zrv {

#ifdef _WIN32
inline constexpr int kErrorWouldBlock = WSAEWOULDBLOCK;
inline constexpr int kErrorInProgress = WSAEWOULDBLOCK;
inline constexpr int kErrorInterrupted = WSAEINTR;
inline constexpr int kErrorConnectionReset = WSAECONNRESET;
inline constexpr int kErrorTimedOut = WSAETIMEDOUT;
inline constexpr int kErrorNotSocket = WSAENOTSOCK;
inline constexpr int kErrorInvalid = WSAEINVAL;
inline constexpr int kErrorNoDestination = WSAEDESTADDRREQ;
inline constexpr int kErrorTooManyOpen = WSAEMFILE;
// Winsock has no code for an answer that is not the resource; the system's texts for these
// say what happened.
inline constexpr int kErrorBadStatus = 58;   // ERROR_BAD_NET_RESP
inline constexpr int kErrorBadLength = 13;   // ERROR_INVALID_DATA
#else
inline constexpr int kErrorWouldBlock = EWOULDBLOCK;
inline constexpr int kErrorInProgress = EINPROGRESS;
inline constexpr int kErrorInterrupted = EINTR;
inline constexpr int kErrorConnectionReset = ECONNRESET;
inline constexpr int kErrorTimedOut = ETIMEDOUT;
inline constexpr int kErrorNotSocket = ENOTSOCK;
inline constexpr int kErrorInvalid = EINVAL;
inline constexpr int kErrorNoDestination = EDESTADDRREQ;
inline constexpr int kErrorTooManyOpen = EMFILE;
inline constexpr int kErrorBadStatus = EPROTO;
inline constexpr int kErrorBadLength = EBADMSG;
#endif

// The error of the socket call that failed last on this thread.
int LastSocketError() noexcept;
// True for the errors of a call that would have had to wait.
bool WouldBlock(int error) noexcept;

// The socket system is ready for calls (Winsock is started once per process); false with
// its error in the network error when it is not there.
bool SocketSystemReady() noexcept;
// A new socket, non-blocking from the start and not inherited by child processes.
SocketHandle OpenSocket(int type) noexcept;
// The next waiting connection as such a socket, or kNoSocket.
SocketHandle AcceptSocket(SocketHandle listener, sockaddr_in& peer) noexcept;
bool CloseSocketHandle(SocketHandle socket) noexcept;
void ShutdownSocket(SocketHandle socket) noexcept;
// Bytes sent or received, or -1 with LastSocketError.
long SendSome(SocketHandle socket, const char* bytes, std::size_t count, const sockaddr_in* destination) noexcept;
long ReceiveSome(SocketHandle socket, char* buffer, std::size_t room) noexcept;
// Waits for events (POLLIN, POLLOUT) up to timeoutMs: > 0 ready (errors and hang-ups too),
// 0 timed out, < 0 failed with LastSocketError.
int WaitForEvents(SocketHandle socket, short events, int timeoutMs) noexcept;
// The pending error of a connect that finished, -1 when it cannot be read.
int PendingError(SocketHandle socket) noexcept;

// Room for another socket beside the descriptors kept for files.
bool DescriptorToSpare() noexcept;
// Raises the soft limit on open files when it cannot hold a full table beside the files
// the program keeps; never above the hard limit. Nothing to raise where sockets are not files.
void RaiseOpenFileLimit() noexcept;
// This machine's first IPv4 address outside 127/8 among its interfaces.
bool InterfaceAddress(std::int32_t& address) noexcept;
// The network error of a name lookup that failed with this getaddrinfo status.
int ResolveError(int status) noexcept;
// The system's text for a network error; empty when it has none.
std::string SocketErrorText(int code);

}  // namespace zrv
