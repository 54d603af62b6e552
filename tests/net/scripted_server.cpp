#include "scripted_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace zrv::test {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundPort(int socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

// A socket of type bound to an ephemeral port of 127.0.0.1.
int BindEphemeral(int type) {
    const int socket = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
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
    if (::pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    const char stop = 1;
    (void)::write(wake_[1], &stop, 1);
    thread_.join();
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::vector<std::string> ScriptedServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

bool ScriptedServer::WaitReadable(int fd) const {
    pollfd watched[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    while (::poll(watched, 2, -1) < 0) {
    }
    return (watched[1].revents & POLLIN) == 0;
}

void ScriptedServer::Serve() {
    for (std::size_t served = 0; WaitReadable(listener_); ++served) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        Answer(connection, replies_[std::min(served, replies_.size() - 1)]);
        ::close(connection);
    }
}

void ScriptedServer::Answer(int connection, const ScriptedReply& reply) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(connection)) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    // Each piece leaves at once in a segment of its own.
    const int one = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(reply.pause);
        const std::string& piece = reply.pieces[i];
        if (::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(piece.size())) return;
    }
    if (!reply.close) {
        pollfd stop{wake_[0], POLLIN, 0};
        while (::poll(&stop, 1, -1) < 0) {
        }
    }
}

int UnusedTcpPort() {
    // Bound but not listening: connections to it are refused for as long as it exists,
    // and nobody else takes the port while the test runs.
    static const int holder = BindEphemeral(SOCK_STREAM);
    return BoundPort(holder);
}

int FreeUdpPort() {
    const int socket = BindEphemeral(SOCK_DGRAM);
    const int port = BoundPort(socket);
    ::close(socket);
    return port;
}

}  // namespace zrv::test
