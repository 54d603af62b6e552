#include "display/support/no_display.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zrv::test {

namespace {

// An X server that accepts every connection and never says a word, as one does that took
// the connection during its own reset. It listens on the abstract socket a client tries
// first for display :number, so it needs no folder of its own.
class SilentXServer {
public:
    SilentXServer() {
        for (number_ = 900 + getpid() % 50; number_ < 1000; ++number_) {
            socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::string name = "/tmp/.X11-unix/X";
            name += std::to_string(number_);
            std::memcpy(address.sun_path + 1, name.data(), name.size());
            const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
            if (bind(socket_, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(socket_, 8) == 0) break;
            close(socket_);
            socket_ = -1;
        }
        if (socket_ >= 0) {
            acceptor_ = std::thread([this] {
                while (!stop_) {
                    const int client = accept(socket_, nullptr, nullptr);
                    if (client >= 0) held_.push_back(client);
                }
            });
        }
    }
    ~SilentXServer() {
        stop_ = true;
        if (socket_ >= 0) shutdown(socket_, SHUT_RDWR);
        if (acceptor_.joinable()) acceptor_.join();
        for (const int client : held_) close(client);
        if (socket_ >= 0) close(socket_);
    }
    bool Ok() const { return socket_ >= 0; }
    std::string Display() const {
        std::string display = ":";
        display += std::to_string(number_);
        return display;
    }

private:
    int number_ = 0;
    int socket_ = -1;
    std::atomic<bool> stop_{false};
    std::vector<int> held_;
    std::thread acceptor_;
};

}  // namespace

void ExpectStartWithoutAWindowFails(const std::string& path, const std::vector<std::string>& args) {
    const std::string reason = "Window creation failed: ";
    for (const char* display : {":999", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(display != nullptr ? display : "no DISPLAY");
        TempDir tmp;
        ChildOptions options;
        options.args = args;
        options.timeoutSeconds = 30;
        options.env = {{"TMPDIR", tmp.Path()}};
        options.unsetEnv = {"ZRV_NO_WINDOW", "WAYLAND_DISPLAY"};
        if (display != nullptr) {
            options.env.push_back({"DISPLAY", display});
        } else {
            options.unsetEnv.push_back("DISPLAY");
        }
        const ChildResult result = RunChild(path, options);
        EXPECT_TRUE(result.exited) << result.err;
        EXPECT_NE(result.exitCode, 0);
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;

        const std::vector<std::string> log = ReadLogLines(tmp.Path());
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[0], "Init GFX");
        EXPECT_EQ(log[1].rfind(reason, 0), 0u) << log[1];
        EXPECT_NE(result.err.find(log[1]), std::string::npos);
        EXPECT_EQ(log[2], "Shut down ZRV");
    }

    // Nothing can be shut down in order while the start waits inside the display's library:
    // the reason is the log's last line.
    SCOPED_TRACE("a server that never answers");
    SilentXServer server;
    ASSERT_TRUE(server.Ok());
    TempDir tmp;
    ChildOptions options;
    options.args = args;
    options.timeoutSeconds = 90;
    options.env = {{"TMPDIR", tmp.Path()}, {"DISPLAY", server.Display()}};
    options.unsetEnv = {"ZRV_NO_WINDOW", "WAYLAND_DISPLAY"};
    const ChildResult result = RunChild(path, options);
    EXPECT_TRUE(result.exited) << result.err;
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(reason + "the display did not answer"), std::string::npos) << result.err;
    const std::vector<std::string> log = ReadLogLines(tmp.Path());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "Init GFX");
    EXPECT_EQ(log[1].rfind(reason, 0), 0u) << log[1];
}

}  // namespace zrv::test
