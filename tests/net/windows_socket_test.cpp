// Windows only: sockets on loopback through Winsock, with Winsock's own error codes.
#ifdef _WIN32
#include "net_test_helpers.h"

namespace zrv::test {
namespace {

constexpr std::int32_t kWouldBlock = 10035;
constexpr std::int32_t kNotSocket = 10038;
constexpr std::int32_t kRefused = 10061;

class WindowsSocketTest : public NetTest {};

TEST_F(WindowsSocketTest, TcpAndUdpRunOverLoopbackAndReportWinsockErrorCodes) {
    const std::int32_t listener = TcpListen(0);
    ASSERT_GE(listener, 0);
    std::int32_t peer = 0;
    EXPECT_EQ(TcpAccept(listener, peer), -1);
    EXPECT_EQ(NetErrorCode(), kWouldBlock);
    const std::int32_t client = TcpConnect("127.0.0.1", LocalPort(listener));
    ASSERT_GE(client, 0);
    const std::int32_t server = AcceptWithin(listener, peer);
    ASSERT_GE(server, 0);
    EXPECT_EQ(peer, kLoopbackAddress);

    RtString data;
    EXPECT_EQ(ReceiveData(client, data, 100), -2);
    EXPECT_EQ(NetErrorCode(), kWouldBlock);
    EXPECT_EQ(SendTcp(client, Text(std::string("ab\0c", 4))), 4);
    std::string received;
    while (received.size() < 4 && ReceiveWithin(server, data) > 0) received += Bytes(data);
    EXPECT_EQ(received, std::string("ab\0c", 4));
    EXPECT_EQ(CloseSocket(server), 1);
    EXPECT_EQ(ReceiveWithin(client, data), 0);
    EXPECT_EQ(CloseSocket(server), 0);
    EXPECT_EQ(NetErrorCode(), kNotSocket);

    // Nobody listens on the port the listener had once it is closed.
    const std::int32_t port = LocalPort(listener);
    EXPECT_EQ(CloseSocket(listener), 1);
    SetNetTimeouts(0, 5000, 0);
    EXPECT_EQ(TcpConnect("127.0.0.1", port), -1);
    EXPECT_EQ(NetErrorCode(), kRefused);
    EXPECT_TRUE(Bytes(NetErrorText()).starts_with("10061 ")) << Bytes(NetErrorText());

    // TCP and UDP ports are apart: the TCP listener's port is free for UDP.
    const std::int32_t receiver = UdpOpen(port);
    const std::int32_t sender = UdpOpen(0);
    ASSERT_GE(receiver, 0);
    ASSERT_GE(sender, 0);
    EXPECT_EQ(SendUdp(sender, "ping", 0, 0), -1);
    EXPECT_EQ(SendUdp(sender, "ping", kLoopbackAddress, LocalPort(receiver)), 4);
    EXPECT_EQ(ReceiveWithin(receiver, data), 4);
    EXPECT_EQ(Bytes(data), "ping");
    EXPECT_EQ(ResolveHost(IpToString(0x7F000001)), 0x7F000001);
}

}  // namespace
}  // namespace zrv::test
#endif
