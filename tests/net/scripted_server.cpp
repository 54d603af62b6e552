#include "scripted_server.h"

#include <algorithm>
#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zrv::test {

namespace {

// The few calls that differ between the systems.
#ifdef _WIN32
constexpr int SOCK_CLOEXEC = 0;
constexpr int MSG_NOSIGNAL = 0;
void CloseSocket(std::intptr_t socket) { ::closesocket(static_cast<SOCKET>(socket)); }
bool StartSockets() {
    WSADATA data{};
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}
#else
void CloseSocket(std::intptr_t socket) { ::close(static_cast<int>(socket)); }
bool StartSockets() { return true; }
#endif

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundPort(std::intptr_t socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// A socket of type bound to an ephemeral port of 127.0.0.1.
std::intptr_t BindEphemeral(int type) {
    if (!StartSockets()) throw std::runtime_error("no sockets");
    const auto socket = static_cast<std::intptr_t>(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    const sockaddr_in address = Loopback(0);
    if (socket < 0 || ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot bind a test socket");
    }
    return socket;
}

}  // namespace

ScriptedServer::ScriptedServer(std::vector<ScriptedReply> replies) : replies_(std::move(replies)) {
    listener_ = BindEphemeral(SOCK_STREAM);
    ::listen(listener_, 16);
    port_ = BoundPort(listener_);
#ifdef _WIN32
    wake_[0] = wake_[1] = BindEphemeral(SOCK_DGRAM);
#else
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    wake_[0] = ends[0];
    wake_[1] = ends[1];
#endif
    thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    const char stop = 1;
#ifdef _WIN32
    const sockaddr_in self = Loopback(BoundPort(wake_[1]));
    ::sendto(wake_[1], &stop, 1, 0, reinterpret_cast<const sockaddr*>(&self), sizeof self);
#else
    (void)::write(static_cast<int>(wake_[1]), &stop, 1);
    CloseSocket(wake_[1]);
#endif
    thread_.join();
    CloseSocket(listener_);
    CloseSocket(wake_[0]);
}

std::vector<std::string> ScriptedServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool ScriptedServer::WaitReadable(Socket fd) const {
#ifdef _WIN32
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(static_cast<SOCKET>(fd), &readable);
    FD_SET(static_cast<SOCKET>(wake_[0]), &readable);
    ::select(0, &readable, nullptr, nullptr, nullptr);
    return !FD_ISSET(static_cast<SOCKET>(wake_[0]), &readable);
#else
    pollfd watched[2] = {{static_cast<int>(fd), POLLIN, 0}, {static_cast<int>(wake_[0]), POLLIN, 0}};
    while (::poll(watched, 2, -1) < 0) {
    }
    return (watched[1].revents & POLLIN) == 0;
#endif
}

void ScriptedServer::Serve() {
    for (std::size_t served = 0; WaitReadable(listener_); ++served) {
#ifdef _WIN32
        const auto connection = static_cast<Socket>(::accept(listener_, nullptr, nullptr));
#else
        const Socket connection = ::accept4(static_cast<int>(listener_), nullptr, nullptr, SOCK_CLOEXEC);
#endif
        if (connection < 0) continue;
        Answer(connection, replies_[std::min(served, replies_.size() - 1)]);
        CloseSocket(connection);
    }
}

void ScriptedServer::Answer(Socket connection, const ScriptedReply& reply) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(connection)) {
        const auto got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    // Each piece leaves at once in a segment of its own.
    const int one = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(reply.pause);
        const std::string& piece = reply.pieces[i];
        const auto sent = ::send(connection, piece.data(), static_cast<int>(piece.size()), MSG_NOSIGNAL);
        if (sent < 0 || static_cast<std::size_t>(sent) != piece.size()) return;
    }
    // Held open: until the server is stopped.
    if (!reply.close) {
        while (WaitReadable(wake_[0])) {
        }
    }
}

int UnusedTcpPort() {
    // Bound but not listening: connections to it are refused for as long as it exists,
    // and nobody else takes the port while the test runs.
    static const std::intptr_t holder = BindEphemeral(SOCK_STREAM);
    return BoundPort(holder);
}

int FreeUdpPort() {
    const std::intptr_t socket = BindEphemeral(SOCK_DGRAM);
    const int port = BoundPort(socket);
    CloseSocket(socket);
    return port;
}

}  // namespace zrv::test
