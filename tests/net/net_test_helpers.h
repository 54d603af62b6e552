// Shared by the network tests: a clean network for every test and waits with a long
// deadline for things that arrive over loopback.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "net/socket_table.h"
#include "support/environment.h"
#include "zorvane/net.h"

namespace zrv::test {

constexpr std::int32_t kLoopbackAddress = 0x7F000001;

// The codes the network error holds: the system's own, Winsock's on Windows. For an answer
// that is not the resource Winsock has none; the system's texts for these two say it.
#ifdef _WIN32
constexpr std::int32_t kWouldBlock = 10035;
constexpr std::int32_t kNotSocket = 10038;
constexpr std::int32_t kRefused = 10061;
constexpr std::int32_t kTimedOut = 10060;
constexpr std::int32_t kInvalid = 10022;
constexpr std::int32_t kBadStatus = 58;
constexpr std::int32_t kBadLength = 13;
#else
constexpr std::int32_t kWouldBlock = EAGAIN;
constexpr std::int32_t kNotSocket = ENOTSOCK;
constexpr std::int32_t kRefused = ECONNREFUSED;
constexpr std::int32_t kTimedOut = ETIMEDOUT;
constexpr std::int32_t kInvalid = EINVAL;
constexpr std::int32_t kBadStatus = EPROTO;
constexpr std::int32_t kBadLength = EBADMSG;
#endif

class NetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(NetStart(), 1); }
    void TearDown() override {
        StopNet();
        SetNetTimeouts(0, 0, 0);
    }
};

inline std::string Bytes(const RtString& text) { return std::string(text.Buffer(), text.Length()); }
inline RtString Text(const std::string& bytes) {
    return RtString(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

// Repeats a polling call while it reports "nothing yet" (result), for up to 20 s.
template <typename Call>
std::int32_t PollWhile(std::int32_t result, Call call) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::int32_t got = call();
    while (got == result && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        got = call();
    }
    return got;
}

inline std::int32_t ReceiveWithin(std::int32_t socket, RtString& data, std::int32_t max = 4096) {
    return PollWhile(-2, [&] { return ReceiveData(socket, data, max); });
}

inline std::int32_t AcceptWithin(std::int32_t listener, std::int32_t& peer) {
    return PollWhile(-1, [&] { return TcpAccept(listener, peer); });
}

inline std::int32_t NetErrorCode() { return Net().netError; }

}  // namespace zrv::test
