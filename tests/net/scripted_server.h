// Test servers on 127.0.0.1 built directly on the system's sockets, so what they see and do
// does not depend on the code under test.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zrv::test {

// What one connection gets: the pieces, each sent on its own after a pause, then the
// connection is closed, or held open until the server is destroyed.
struct ScriptedReply {
    std::vector<std::string> pieces;
    std::chrono::milliseconds pause{0};
    bool close = true;
};

// Reads each request up to its blank line and answers connection i with replies[i] (the
// last reply again for every later connection).
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<ScriptedReply> replies);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int Port() const { return port_; }
    std::vector<std::string> Requests() const;

private:
    void Serve();
    using Socket = std::intptr_t;  // a descriptor, or a Winsock handle
    void Answer(Socket connection, const ScriptedReply& reply);
    // Waits until fd is readable; false when the server is being stopped.
    bool WaitReadable(Socket fd) const;

    std::vector<ScriptedReply> replies_;
    Socket listener_ = -1;
    int port_ = 0;
    // Readable once the server is being stopped: a pipe, or on Windows a datagram socket
    // the destructor sends to (select waits for sockets only there).
    Socket wake_[2] = {-1, -1};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
int UnusedTcpPort();
// A UDP port that was free a moment ago.
int FreeUdpPort();

}  // namespace zrv::test
