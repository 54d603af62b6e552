// HTTP GET against scripted servers: the request, header ends in every form and at every
// split, bodies longer than the maximum, slow and stuck servers, and what becomes of the file.
#include <cerrno>
#include <filesystem>
#include <set>

#include "net_test_helpers.h"
#include "scripted_server.h"
#include "support/temp_dir.h"

namespace zrv::test {
namespace {

using std::chrono::milliseconds;

const std::string kHeader = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

ScriptedReply OnePiece(const std::string& bytes) { return {{bytes}}; }

// The names in a folder.
std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

class HttpTest : public NetTest {
protected:
    TempDir folder;
};

TEST_F(HttpTest, TheServerGetsTheExactRequestAndTheTextIsTheBody) {
    const std::string body("no length given\0 and a zero byte", 32);
    ScriptedServer server({OnePiece(kHeader + body)});
    EXPECT_EQ(Bytes(HttpGetToString("/dir/file.txt?a=1", "127.0.0.1", server.Port(), 1000)), body);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /dir/file.txt?a=1 HTTP/1.0\r\nHost:127.0.0.1\r\nAccept: */*\r\nUser-Agent: Zorvane\r\n\r\n");
    EXPECT_EQ(NetErrorCode(), 0);
}

TEST_F(HttpTest, TheHeaderEndIsFoundWhereverTheAnswerIsSplitAndWithBareLineEnds) {
    const std::string body = "body\r\n\r\nwith blank lines";
    for (const std::string& header : {kHeader, std::string("HTTP/1.0 200 OK\nServer: x\n\n"),
                                     std::string("HTTP/1.0 200 OK\r\n\r\r\n")}) {
        const std::string answer = header + body;
        std::vector<ScriptedReply> replies;
        for (std::size_t split = 1; split < answer.size(); ++split) {
            replies.push_back({{answer.substr(0, split), answer.substr(split)}, milliseconds(5)});
        }
        ScriptedServer server(replies);
        for (std::size_t split = 1; split < answer.size(); ++split) {
            EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 1000)), body) << split;
        }
    }
}

TEST_F(HttpTest, ABodyLongerThanTheMaximumKeepsOnlyWholeLeadingPieces) {
    ScriptedServer small({OnePiece(kHeader + std::string(100, 'b'))});
    EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", small.Port(), 10)), "");

    std::string body;
    for (int i = 0; i < 5000; ++i) body += static_cast<char>('a' + i % 26);
    ScriptedServer large({OnePiece(kHeader + body)});
    const std::string text = Bytes(HttpGetToString("/", "127.0.0.1", large.Port(), 3000));
    EXPECT_LE(text.size(), 3000u);
    EXPECT_GT(text.size(), 3000u - 1023u);  // stops only at a piece that did not fit
    EXPECT_EQ(text, body.substr(0, text.size()));
}

TEST_F(HttpTest, AnAnswerTrickledOneByteAtATimeArrivesWhole) {
    const std::string answer = "HTTP/1.0 200 OK\r\n\r\n0123456789abcdefghij";
    ScriptedReply trickle{{}, milliseconds(1)};
    for (const char c : answer) trickle.pieces.emplace_back(1, c);
    ScriptedServer server({trickle});
    EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 1000)), "0123456789abcdefghij");
    const std::string shortened = Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 7));
    EXPECT_LE(shortened.size(), 7u);
    EXPECT_EQ(shortened, std::string("0123456").substr(0, shortened.size()));
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", server.Port(), Text(folder / "slow.txt")), 1);
    EXPECT_EQ(ReadFile(folder / "slow.txt"), "0123456789abcdefghij");
}

TEST_F(HttpTest, ASuccessfulDownloadReplacesTheFileWhole) {
    const std::string target = folder / "page.html";
    WriteFile(target, "an older and much longer page than the new one");
    const std::string body("<p>new\0</p>", 11);
    ScriptedServer server({OnePiece(kHeader + body)});
    EXPECT_EQ(HttpGetToFile("/page.html", "127.0.0.1", server.Port(), Text(target)), 1);
    EXPECT_EQ(ReadFile(target), body);
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"page.html"});
}

TEST_F(HttpTest, AFailedDownloadKeepsTheOldFileAndLeavesNothingBehind) {
    const std::string target = folder / "keep.txt";
    WriteFile(target, "old");
    const RtString name = Text(target);

    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", UnusedTcpPort(), name), 0);
    EXPECT_EQ(NetErrorCode(), kRefused);
    EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", UnusedTcpPort(), 100)), "");

    ScriptedServer cutShort({OnePiece("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n")});
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", cutShort.Port(), name), 0);
    EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", cutShort.Port(), 100)), "");

    ScriptedServer good({OnePiece(kHeader + "new")});
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", good.Port(), "mem://00000003.00001000"), 0);
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", good.Port(), Text(folder / "no such folder/x")), 0);

    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"keep.txt"});
}

TEST_F(HttpTest, AnAnswerThatIsNotTheWholeResourceIsNoDownload) {
    const std::string target = folder / "resource.bin";
    WriteFile(target, "old");
    const RtString name = Text(target);
    struct Case {
        std::vector<std::string> pieces;
        std::string body;
        int error;
    };
    // The length line split inside its name and its number, as the network may deliver it.
    const Case failures[] = {
        {{"HTTP/1.0 200 OK\r\nContent-Le", "ngth: 107374", "18240\r\n\r\ntwelve bytes"}, "twelve bytes", kBadLength},
        {{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nsix by"}, "six by", kBadLength},
        {{"HTTP/1.0 302 Found\r\nLocation: /elsewhere\r\n\r\nmoved"}, "moved", kBadStatus},
        {{"HTTP/1.1 404 Not Found\r\n\r\nnot here"}, "not here", kBadStatus},
        {{"<html>no status line</html>\n\nbody"}, "body", kBadStatus},
    };
    for (const Case& answer : failures) {
        ScriptedServer server({{answer.pieces, milliseconds(5)}});
        EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", server.Port(), name), 0) << answer.body;
        EXPECT_EQ(NetErrorCode(), answer.error) << answer.body;
        EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 100)), answer.body);
        EXPECT_EQ(NetErrorCode(), answer.error) << answer.body;
    }
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"resource.bin"});

    ScriptedServer exact({OnePiece("HTTP/1.1 201 Created\r\ncontent-length:  3 \r\n\r\nnew")});
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", exact.Port(), name), 1);
    EXPECT_EQ(NetErrorCode(), 0);
    EXPECT_EQ(ReadFile(target), "new");
}

TEST_F(HttpTest, APathOrHostWithALineBreakIsRefusedBeforeConnecting) {
    const std::string target = folder / "kept.txt";
    WriteFile(target, "old");
    ScriptedServer server({OnePiece(kHeader + "body")});
    const std::pair<std::string, std::string> requests[] = {
        {"/a\r\nX-Injected: 1", "127.0.0.1"},
        {"/a HTTP/1.0\n\nGET /b", "127.0.0.1"},
        {"/a\r", "127.0.0.1"},
        {"/", "127.0.0.1\r\nX-Injected: 1"},
        {"/", "127.0.0.1\n"},
    };
    for (const auto& [path, host] : requests) {
        EXPECT_EQ(Bytes(HttpGetToString(Text(path), Text(host), server.Port(), 100)), "") << path << host;
        EXPECT_EQ(NetErrorCode(), kInvalid) << path << host;
        EXPECT_EQ(HttpGetToFile(Text(path), Text(host), server.Port(), Text(target)), 0) << path << host;
        EXPECT_EQ(NetErrorCode(), kInvalid) << path << host;
    }
    EXPECT_EQ(ReadFile(target), "old");
    // The server answers in turn, so a connection made above would have come first.
    EXPECT_EQ(Bytes(HttpGetToString("/good", "127.0.0.1", server.Port(), 100)), "body");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].substr(0, 10), "GET /good ");
}

TEST_F(HttpTest, AServerThatNeverClosesEndsByTheTimeOut) {
    SetNetTimeouts(300, 0, 0);
    const std::string target = folder / "stuck.txt";
    WriteFile(target, "old");
    ScriptedServer server({{{kHeader + "partial"}, milliseconds(0), false}});
    // The text keeps what arrived, as after any failed receive.
    EXPECT_EQ(Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 100)), "partial");
    EXPECT_EQ(NetErrorCode(), kTimedOut);
    EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", server.Port(), Text(target)), 0);
    EXPECT_EQ(NetErrorCode(), kTimedOut);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(Listing(folder.Path()), std::set<std::string>{"stuck.txt"});
}

TEST_F(HttpTest, AServerThatKeepsTricklingIsGivenUpOnAtTheDeadline) {
    // The transfer time-out stays at its default: every wait here is short, only the
    // deadline can end these answers, which would go on for 15 s each.
    SetNetTimeouts(0, 0, 400);
    const std::string target = folder / "trickled.txt";
    WriteFile(target, "old");
    ScriptedReply endlessHeader{{"HTTP/1.0 200 OK\r\n"}, milliseconds(25)};
    endlessHeader.pieces.resize(600, "X-Filler: more\r\n");
    ScriptedReply endlessBody{{kHeader}, milliseconds(25)};
    endlessBody.pieces.resize(600, "x");
    for (const ScriptedReply& reply : {endlessHeader, endlessBody}) {
        ScriptedServer server({reply});
        auto start = std::chrono::steady_clock::now();
        const std::string text = Bytes(HttpGetToString("/", "127.0.0.1", server.Port(), 100000));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
        EXPECT_EQ(NetErrorCode(), kTimedOut);
        EXPECT_EQ(text, std::string(text.size(), 'x'));

        start = std::chrono::steady_clock::now();
        EXPECT_EQ(HttpGetToFile("/", "127.0.0.1", server.Port(), Text(target)), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
        EXPECT_EQ(NetErrorCode(), kTimedOut);
        EXPECT_EQ(ReadFile(target), "old");
    }
}

}  // namespace
}  // namespace zrv::test
