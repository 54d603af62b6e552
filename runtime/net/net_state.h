// The network part of the runtime's process-wide state: the socket table, the start count,
// the last network error, the time-outs and the HTTP deadline.
#pragma once

#include <array>
#include <cstdint>

#include "net/socket_handle.h"

namespace zrv {

constexpr std::int32_t kSocketTableSize = 1024;
// The network error of a full socket table.
constexpr std::int32_t kTableFullError = 8;
constexpr std::int32_t kDefaultTransferTimeoutMs = 30000;
constexpr std::int32_t kDefaultConnectTimeoutMs = 15000;
constexpr std::int32_t kDefaultHttpDeadlineMs = 120000;

struct SocketEntry {
    SocketHandle socket = kNoSocket;  // kNoSocket: the entry is free
    // TCP: the connected peer, for a listener the last accepted one; UDP: the local binding;
    // as the program sees addresses and ports.
    std::int32_t address = 0;
    std::int32_t port = 0;
    bool isUdp = false;
};

struct NetState {
    NetState() = default;
    // Sockets left open at exit are closed, so no descriptor outlives the table.
    ~NetState();
    NetState(const NetState&) = delete;
    NetState& operator=(const NetState&) = delete;

    std::array<SocketEntry, kSocketTableSize> table;
    std::int32_t startCount = 0;
    std::int32_t netError = 0;
    std::int32_t transferTimeoutMs = kDefaultTransferTimeoutMs;
    std::int32_t connectTimeoutMs = kDefaultConnectTimeoutMs;
    std::int32_t httpDeadlineMs = kDefaultHttpDeadlineMs;
};

NetState& Net() noexcept;

}  // namespace zrv
