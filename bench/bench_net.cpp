// Networking over loopback: HttpGetToFile of a 100 MB body against curl fetching the same
// body from the same server in the same run, and a TCP echo round trip through SendTcp and
// ReceiveData.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "zorvane/net.h"

extern char** environ;

namespace {

constexpr std::int64_t kBodyBytes = 100 << 20;
constexpr std::size_t kEchoBytes = 64;

// A server thread on 127.0.0.1 that hands every connection to serve, one after another,
// until it is destroyed.
class LoopbackServer {
public:
    template <typename Serve>
    explicit LoopbackServer(Serve serve) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this, serve] {
            for (;;) {
                pollfd waiting{listener_, POLLIN, 0};
                if (::poll(&waiting, 1, 100) <= 0) {
                    if (stop_) return;
                    continue;
                }
                const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                if (connection < 0) continue;
                serve(connection);
                ::close(connection);
            }
        });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    int Port() const { return port_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void ReadRequest(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
}

void ServeBigBody(int connection) {
    ReadRequest(connection);
    static const std::string header = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n";
    static const std::vector<char> block(1 << 20, 'z');
    if (::send(connection, header.data(), header.size(), MSG_NOSIGNAL) < 0) return;
    for (std::int64_t left = kBodyBytes; left > 0;) {
        const ssize_t put = ::send(connection, block.data(), std::min<std::int64_t>(left, block.size()), MSG_NOSIGNAL);
        if (put <= 0) return;
        left -= put;
    }
}

std::string ScratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("zrvbench-") + std::to_string(::getpid()) + name))
        .string();
}

void BM_HttpGetToFile100MB(benchmark::State& state) {
    LoopbackServer server(ServeBigBody);
    const std::string target = ScratchFile("-download.bin");
    for (auto _ : state) {
        if (HttpGetToFile("/big", "127.0.0.1", server.Port(), target.c_str()) != 1) {
            state.SkipWithError("download failed");
            break;
        }
    }
    if (std::filesystem::file_size(target) != static_cast<std::uintmax_t>(kBodyBytes)) {
        state.SkipWithError("wrong size");
    }
    std::filesystem::remove(target);
    state.SetBytesProcessed(state.iterations() * kBodyBytes);
}
BENCHMARK(BM_HttpGetToFile100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CurlDownload100MB(benchmark::State& state) {
    LoopbackServer server(ServeBigBody);
    const std::string target = ScratchFile("-curl.bin");
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/big";
    std::vector<std::string> args = {"curl", "-s", "-o", target, url};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawnp(&child, "curl", nullptr, nullptr, argv.data(), environ) != 0 ||
            ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("curl failed");
            break;
        }
    }
    std::filesystem::remove(target);
    state.SetBytesProcessed(state.iterations() * kBodyBytes);
}
BENCHMARK(BM_CurlDownload100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void ServeEcho(int connection) {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0 || ::send(connection, buffer, static_cast<std::size_t>(got), MSG_NOSIGNAL) != got) return;
    }
}

void BM_TcpEchoRoundTrip(benchmark::State& state) {
    LoopbackServer server(ServeEcho);
    NetStart();
    const std::int32_t socket = TcpConnect("127.0.0.1", server.Port());
    const RtString message(std::string(kEchoBytes, 'e').c_str());
    RtString reply;
    bool ok = socket >= 0;
    for (auto _ : state) {
        if (!ok || SendTcp(socket, message) != static_cast<std::int32_t>(kEchoBytes)) {
            ok = false;
            break;
        }
        // Polled as a frame loop would poll it.
        std::size_t received = 0;
        while (ok && received < kEchoBytes) {
            const std::int32_t got = ReceiveData(socket, reply, 4096);
            if (got > 0) received += static_cast<std::size_t>(got);
            ok = got > 0 || got == -2;
        }
    }
    if (!ok) state.SkipWithError("the echo failed");
    CloseSocket(socket);
    NetStop();
}
BENCHMARK(BM_TcpEchoRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
