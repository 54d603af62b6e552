#include "net/socket_table.h"

#include "net/ipv4.h"
#include "net/net_state.h"
#include "net/socket_system.h"

namespace zrv {

NetState::~NetState() {
    for (SocketEntry& entry : table) {
        if (entry.socket != kNoSocket) CloseSocketHandle(entry.socket);
    }
}

void StartNet() noexcept {
    CloseAllSockets();
    RaiseOpenFileLimit();
}

void StopNet() noexcept {
    CloseAllSockets();
    Net().startCount = 0;
}

std::int32_t FailWith(int code) noexcept {
    Net().netError = code;
    return -1;
}

std::int32_t FindFreeEntry() noexcept {
    const auto& table = Net().table;
    for (std::int32_t i = 0; i < kSocketTableSize; ++i) {
        if (table[static_cast<std::size_t>(i)].socket == kNoSocket) return DescriptorToSpare() ? i : FailWith(kTableFullError);
    }
    return FailWith(kTableFullError);
}

std::int32_t FailToOpen(int error) noexcept { return FailWith(error == kErrorTooManyOpen ? kTableFullError : error); }

SocketEntry* OpenEntry(std::int32_t socket) noexcept {
    if (socket < 0 || socket >= kSocketTableSize) {
        FailWith(kErrorNotSocket);
        return nullptr;
    }
    SocketEntry& entry = Net().table[static_cast<std::size_t>(socket)];
    if (entry.socket == kNoSocket) {
        FailWith(kErrorNotSocket);
        return nullptr;
    }
    return &entry;
}

bool CloseEntry(SocketEntry& entry) noexcept {
    const SocketHandle socket = entry.socket;
    const bool isUdp = entry.isUdp;
    entry = SocketEntry{};
    if (socket == kNoSocket) return false;
    if (!isUdp) ShutdownSocket(socket);
    return CloseSocketHandle(socket);
}

void CloseAllSockets() noexcept {
    for (SocketEntry& entry : Net().table) {
        if (entry.socket != kNoSocket) CloseEntry(entry);
    }
}

std::int32_t LocalPort(std::int32_t socket) noexcept {
    const SocketEntry* entry = OpenEntry(socket);
    if (entry == nullptr) return 0;
    sockaddr_in local{};
    socklen_t size = sizeof local;
    if (::getsockname(entry->socket, reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
    return PortOf(local);
}

}  // namespace zrv
