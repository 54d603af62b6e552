// TCP and UDP sockets on loopback, addresses, the socket table and the time-outs.
#ifndef _WIN32
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <set>

#include "net_test_helpers.h"
#include "scripted_server.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "zorvane/channels.h"
#include "zorvane/program.h"

namespace zrv::test {
namespace {

class SocketTest : public NetTest {};

TEST_F(SocketTest, TcpCarriesDataBothWaysAndReportsNothingWaitingAndTheClose) {
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

    RtString data = "left over";
    EXPECT_EQ(ReceiveData(client, data, 100), -2);
    EXPECT_EQ(NetErrorCode(), kWouldBlock);
    EXPECT_TRUE(data.IsEmpty());

    const std::string withZero("abc\0def", 7);
    EXPECT_EQ(SendTcp(client, Text(withZero)), 7);
    std::string received;
    while (received.size() < withZero.size() && ReceiveWithin(server, data) > 0) received += Bytes(data);
    EXPECT_EQ(received, withZero);

    EXPECT_EQ(SendTcp(server, "back"), 4);
    ASSERT_EQ(ReceiveWithin(client, data, 2), 2);  // no more than the maximum at once
    EXPECT_EQ(Bytes(data), "ba");
    ASSERT_EQ(ReceiveWithin(client, data), 2);
    EXPECT_EQ(Bytes(data), "ck");
    EXPECT_EQ(SendTcp(client, ""), 0);

    EXPECT_EQ(CloseSocket(server), 1);
    EXPECT_EQ(ReceiveWithin(client, data), 0);
    EXPECT_EQ(CloseSocket(server), 0);
    EXPECT_EQ(NetErrorCode(), kNotSocket);
    EXPECT_EQ(ReceiveData(server, data, 10), -1);
    // A closed peer makes sending fail instead of killing the process.
    std::int32_t sent = 0;
    for (int i = 0; i < 100 && sent >= 0; ++i) sent = SendTcp(client, "more");
    EXPECT_EQ(sent, -1);
}

TEST_F(SocketTest, UdpDatagramsArriveAndNeedADestination) {
    const int port = FreeUdpPort();
    const std::int32_t receiver = UdpOpen(port);
    const std::int32_t sender = UdpOpen(0);
    ASSERT_GE(receiver, 0);
    ASSERT_GE(sender, 0);
    RtString data;
    EXPECT_EQ(ReceiveData(receiver, data, 100), -2);

    EXPECT_EQ(SendUdp(sender, Text(std::string("pi\0ng", 5)), kLoopbackAddress, port), 5);
    ASSERT_EQ(ReceiveWithin(receiver, data, 100), 5);
    EXPECT_EQ(Bytes(data), std::string("pi\0ng", 5));

    EXPECT_EQ(SendUdp(sender, "lost", 0, 0), -1);
    EXPECT_EQ(SendTcp(sender, "lost"), -1);  // a datagram needs a destination
    EXPECT_EQ(SendUdp(sender, "x", kLoopbackAddress, 70000), -1);
    EXPECT_EQ(SendUdp(sender, "last", kLoopbackAddress, port), 4);
    ASSERT_EQ(ReceiveWithin(receiver, data, 100), 4);
    EXPECT_EQ(Bytes(data), "last");  // nothing else arrived before it
}

TEST_F(SocketTest, AddressesRoundTripThroughTheirDottedForm) {
    EXPECT_EQ(Bytes(IpToString(kLoopbackAddress)), "127.0.0.1");
    EXPECT_EQ(Bytes(IpToString(static_cast<std::int32_t>(0xC0A80A01))), "192.168.10.1");
    EXPECT_EQ(Bytes(IpToString(0)), "0.0.0.0");
    for (const std::int32_t address : {kLoopbackAddress, static_cast<std::int32_t>(0xC0A80A01),
                                       static_cast<std::int32_t>(0x0A00FF02), 0x01020304}) {
        EXPECT_EQ(ResolveHost(IpToString(address)), address) << Bytes(IpToString(address));
    }
    EXPECT_EQ(ResolveHost("localhost"), kLoopbackAddress);
    const std::int32_t own = ResolveHost("");
    EXPECT_TRUE(own == kLoopbackAddress || (static_cast<std::uint32_t>(own) >> 24) != 127) << Bytes(IpToString(own));
}

TEST_F(SocketTest, TheLastNetStopClosesEverySocketAndShutdownDoesToo) {
    ASSERT_EQ(NetStart(), 1);  // counted twice now
    std::int32_t listener = TcpListen(0);
    const std::int32_t port = LocalPort(listener);
    ASSERT_GE(UdpOpen(0), 0);
    NetStop();
    std::int32_t peer = 0;
    EXPECT_EQ(TcpAccept(listener, peer), -1);
    EXPECT_EQ(NetErrorCode(), kWouldBlock);  // still open
    NetStop();
    EXPECT_EQ(CloseSocket(listener), 0);
    EXPECT_EQ(CloseSocket(listener + 1), 0);
    EXPECT_EQ(TcpConnect("127.0.0.1", port), -1);  // the system's socket is gone too
    EXPECT_EQ(NetErrorCode(), kRefused);
    NetStop();  // below zero: nothing happens

    // Shutdown writes to the log and enters the executable's folder; both are put back.
    TempDir folder;
    {
        const ScopedEnv temporary(kTempFolderVariable, folder.Path().c_str());
        const auto here = std::filesystem::current_path();
        listener = TcpListen(0);
        ASSERT_GE(listener, 0);
        ShutdownRuntime();
        std::filesystem::current_path(here);
    }
    EXPECT_EQ(TcpConnect("127.0.0.1", LocalPort(listener)), -1);
    EXPECT_EQ(CloseSocket(listener), 0);
}

// Open-file limits and a forked child as POSIX has them.
#ifndef _WIN32
TEST_F(SocketTest, TheTableHolds1024SocketsUnderALowOpenFileLimitAndThe1025thFailsWith8) {
    rlimit original{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &original), 0);
    rlimit low = original;
    low.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    ASSERT_EQ(NetStart(), 1);

    std::set<std::int32_t> sockets;
    for (int i = 0; i < 1024; ++i) sockets.insert(UdpOpen(0));
    EXPECT_EQ(sockets.size(), 1024u);
    EXPECT_EQ(*sockets.begin(), 0);
    EXPECT_EQ(*sockets.rbegin(), 1023);
    EXPECT_EQ(UdpOpen(0), -1);
    EXPECT_EQ(NetErrorCode(), 8);
    EXPECT_EQ(Bytes(NetErrorText()).substr(0, 2), "8 ");
    EXPECT_EQ(TcpListen(0), -1);
    EXPECT_EQ(TcpConnect("127.0.0.1", 1), -1);
    EXPECT_EQ(NetErrorCode(), 8);
    EXPECT_EQ(CloseSocket(500), 1);
    EXPECT_EQ(UdpOpen(0), 500);  // the lowest free entry

    StopNet();
    ::setrlimit(RLIMIT_NOFILE, &original);
}
#endif

#ifndef _WIN32
TEST_F(SocketTest, UnderAHardLimitOf1024FilesTheTableRefusesWith8AndFilesStillOpen) {
    TempDir folder;
    const std::string file = folder / "after.txt";
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The limit cannot be raised again, so only this child lives under it.
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_NOFILE, &limit);
        NetStart();
        int opened = 0;
        while (opened <= 1024 && UdpOpen(0) >= 0) ++opened;
        std::string text = std::to_string(opened) + "|" + std::to_string(NetErrorCode()) + "|" +
                           Bytes(NetErrorText()).substr(0, 2) + "|";
        text += OpenChannel(0, Text(file), 0) == 1 ? "open" : "refused";
        (void)::write(report[1], text.data(), text.size());
        ::close(report[1]);
        if (text.ends_with("open")) {
            WriteChars(0, "still writing");
            CloseChannel(0);
        }
        _exit(0);
    }
    ::close(report[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got = 0; (got = ::read(report[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(got));
    ::close(report[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // Most of the limit goes to sockets; only a few descriptors are kept back for files.
    const std::size_t bar = text.find('|');
    ASSERT_NE(bar, std::string::npos) << text;
    const int opened = std::stoi(text.substr(0, bar));
    EXPECT_GT(opened, 900) << text;
    EXPECT_LT(opened, 1024) << text;
    EXPECT_EQ(text.substr(bar), "|8|8 |open");
    EXPECT_EQ(ReadFile(file), "still writing");
}
#endif

// A full listen queue drops new attempts here; Windows refuses them at once.
#ifndef _WIN32
// A raw listener that never accepts, its queue filled until the system drops new attempts.
int FullListener() {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener, 0);
    return listener;
}

TEST_F(SocketTest, ConnectingAndSendingGiveUpAfterTheirTimeOuts) {
    SetNetTimeouts(300, 300, 0);
    const int listener = FullListener();
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    const std::int32_t port = ntohs(address.sin_port);

    // The first connection fits into the queue; nobody ever reads from it.
    const std::int32_t stuck = TcpConnect("127.0.0.1", port);
    ASSERT_GE(stuck, 0);
    const std::string lots(64 << 20, 'x');
    EXPECT_EQ(SendTcp(stuck, Text(lots)), -1);
    EXPECT_EQ(NetErrorCode(), kTimedOut);

    std::int32_t refused = 0;
    for (int i = 0; i < 8 && refused >= 0; ++i) refused = TcpConnect("127.0.0.1", port);
    EXPECT_EQ(refused, -1);
    EXPECT_EQ(NetErrorCode(), kTimedOut);
    ::close(listener);
}
#endif

}  // namespace
}  // namespace zrv::test
