#include <climits>

#include "net/socket_system.h"

namespace zrv {

namespace {

SOCKET AsSocket(SocketHandle socket) noexcept { return static_cast<SOCKET>(socket); }

// Sockets are handles here: one the program's child processes would inherit keeps its
// connection open after the program closed it.
SocketHandle Prepared(SOCKET socket) noexcept {
    if (socket == INVALID_SOCKET) return kNoSocket;
    SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
        const int error = WSAGetLastError();
        closesocket(socket);
        WSASetLastError(error);
        return kNoSocket;
    }
    return static_cast<SocketHandle>(socket);
}

int AsLength(std::size_t count) noexcept { return count > INT_MAX ? INT_MAX : static_cast<int>(count); }

}  // namespace

int LastSocketError() noexcept { return WSAGetLastError(); }

bool WouldBlock(int error) noexcept { return error == WSAEWOULDBLOCK; }

// Started once, on the first call that needs it, and left running until the process ends:
// sockets the program opened without NetStart work as well as the others.
bool SocketSystemReady() noexcept {
    static const int status = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    if (status != 0) WSASetLastError(status);
    return status == 0;
}

SocketHandle OpenSocket(int type) noexcept {
    if (!SocketSystemReady()) return kNoSocket;
    return Prepared(::socket(AF_INET, type, 0));
}

SocketHandle AcceptSocket(SocketHandle listener, sockaddr_in& peer) noexcept {
    int size = sizeof peer;
    return Prepared(::accept(AsSocket(listener), reinterpret_cast<sockaddr*>(&peer), &size));
}

bool CloseSocketHandle(SocketHandle socket) noexcept { return ::closesocket(AsSocket(socket)) == 0; }

void ShutdownSocket(SocketHandle socket) noexcept { ::shutdown(AsSocket(socket), SD_BOTH); }

long SendSome(SocketHandle socket, const char* bytes, std::size_t count, const sockaddr_in* destination) noexcept {
    return destination == nullptr
               ? ::send(AsSocket(socket), bytes, AsLength(count), 0)
               : ::sendto(AsSocket(socket), bytes, AsLength(count), 0, reinterpret_cast<const sockaddr*>(destination),
                          sizeof *destination);
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t room) noexcept {
    return ::recv(AsSocket(socket), buffer, AsLength(room), 0);
}

// select, not WSAPoll: WSAPoll does not report a connect that failed. A failed connect
// shows in the exception set, not as writable.
int WaitForEvents(SocketHandle socket, short events, int timeoutMs) noexcept {
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    if ((events & POLLIN) != 0) FD_SET(AsSocket(socket), &readable);
    if ((events & POLLOUT) != 0) FD_SET(AsSocket(socket), &writable);
    FD_SET(AsSocket(socket), &failed);
    timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = ::select(0, &readable, &writable, &failed, &wait);
    return ready == SOCKET_ERROR ? -1 : ready;
}

int PendingError(SocketHandle socket) noexcept {
    int error = 0;
    int size = sizeof error;
    if (::getsockopt(AsSocket(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) return -1;
    return error;
}

// Sockets are no files here: no limit of open files to keep room under.
bool DescriptorToSpare() noexcept { return true; }

void RaiseOpenFileLimit() noexcept {}

// Only the machine's name is asked: its addresses are those of every interface here.
bool InterfaceAddress(std::int32_t&) noexcept { return false; }

// The status is a Winsock error already (WSAHOST_NOT_FOUND, WSATRY_AGAIN, ...).
int ResolveError(int status) noexcept { return status; }

std::string SocketErrorText(int code) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text,
                                        sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

}  // namespace zrv
