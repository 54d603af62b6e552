// Starting and stopping the network, closing sockets, time-outs and the error text.
#include <string>

#include "net/socket_system.h"
#include "net/socket_table.h"
#include "zorvane/net.h"

std::int32_t NetStart() {
    auto& net = zrv::Net();
    zrv::RaiseOpenFileLimit();
    if (!zrv::SocketSystemReady()) {
        zrv::FailWith(zrv::LastSocketError());
        return 0;
    }
    ++net.startCount;
    net.netError = 0;
    return 1;
}

void NetStop() {
    auto& net = zrv::Net();
    if (net.startCount <= 0) return;
    if (--net.startCount == 0) zrv::CloseAllSockets();
}

std::int32_t CloseSocket(std::int32_t socket) {
    zrv::SocketEntry* entry = zrv::OpenEntry(socket);
    if (entry == nullptr) return 0;
    if (!zrv::CloseEntry(*entry)) {
        zrv::FailWith(zrv::LastSocketError());
        return 0;
    }
    zrv::Net().netError = 0;
    return 1;
}

void SetNetTimeouts(std::int32_t transferMs, std::int32_t connectMs, std::int32_t httpMs) {
    auto& net = zrv::Net();
    net.transferTimeoutMs = transferMs < 1 ? zrv::kDefaultTransferTimeoutMs : transferMs;
    net.connectTimeoutMs = connectMs < 1 ? zrv::kDefaultConnectTimeoutMs : connectMs;
    net.httpDeadlineMs = httpMs < 1 ? zrv::kDefaultHttpDeadlineMs : httpMs;
}

RtString NetErrorText() {
    const std::int32_t code = zrv::Net().netError;
    const std::string text = zrv::SocketErrorText(code);
    if (text.empty()) return RtString();
    return (std::to_string(code) + " " + text).c_str();
}
