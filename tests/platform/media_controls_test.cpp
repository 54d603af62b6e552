#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/media_controls_state.h"
#include "support/child_process.h"
#include "support/scoped_env.h"
#include "support/session_bus.h"
#include "support/temp_dir.h"
#include "zorvane/media_controls.h"

namespace zrv::test {
namespace {

constexpr const char* kName = "org.mpris.MediaPlayer2.zorvane";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr const char* kPath = "/org/mpris/MediaPlayer2";

struct Polled {
    std::int32_t code;
    double value;
    bool operator==(const Polled&) const = default;
};

void PollInto(std::vector<Polled>& commands) {
    while (const std::int32_t code = PollMediaCommand()) commands.push_back({code, MediaCommandValue()});
}

// Runs the call on the bus while the program polls the way its frames do, for as long as
// the call takes; what dbus-send printed, and the commands polled meanwhile.
struct Exchange {
    ChildResult reply;
    std::vector<Polled> commands;
};
template <class Call>
Exchange WhilePolling(Call call) {
    auto running = std::async(std::launch::async, call);
    Exchange exchange;
    while (running.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) PollInto(exchange.commands);
    exchange.reply = running.get();
    PollInto(exchange.commands);
    return exchange;
}

Exchange CallPlayer(PrivateSessionBus& bus, const std::string& method, const std::vector<std::string>& arguments = {}) {
    std::vector<std::string> call = {kPath, std::string(kPlayer) + "." + method};
    call.insert(call.end(), arguments.begin(), arguments.end());
    return WhilePolling([&] { return bus.Send(kName, call); });
}

std::string Property(PrivateSessionBus& bus, const std::string& interface, const std::string& name) {
    return Flat(WhilePolling([&] { return bus.Property(kName, interface, name); }).reply.out);
}

// The number that follows "variant int64 " in dbus-send's output, or -1.
long long Int64Value(const std::string& flat) {
    const std::string key = "variant int64 ";
    const std::size_t at = flat.find(key);
    return at == std::string::npos ? -1 : std::stoll(flat.substr(at + key.size()));
}

class MediaControlsTest : public ::testing::Test {
protected:
    void TearDown() override { StopMediaControls(); }
};

TEST_F(MediaControlsTest, WithoutAReachableSessionBusNothingIsOfferedStartedOrWritten) {
    TempDir home, temporary;
    ScopedEnv freshHome("HOME", home.Path().c_str());
    ScopedEnv ownLog("TMPDIR", temporary.Path().c_str());
    {
        ScopedEnv noBus("DBUS_SESSION_BUS_ADDRESS", nullptr);
        EXPECT_EQ(PublishMediaControls("Zorvane", ""), 0);
    }
    // Twice at an address where no bus listens: one line in the log at most.
    ScopedEnv noListener("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (home / "no-bus")).c_str());
    EXPECT_EQ(PublishMediaControls("Zorvane", ""), 0);
    EXPECT_EQ(PublishMediaControls("Zorvane", ""), 0);
    PublishMediaState(kMediaPlaying, "Tone", "/music/tone.wav", 0, 1000, 1);
    EXPECT_EQ(PollMediaCommand(), kMediaNone);
    EXPECT_EQ(MediaCommandValue(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
    int mediaLines = 0;
    for (const std::string& line : ReadLogLines(temporary.Path())) mediaLines += line.find("Media controls") != std::string::npos;
    EXPECT_LE(mediaLines, 1);
}

TEST_F(MediaControlsTest, TheDesktopsCommandsArriveInOrderWithTheirAmountsAndEndWithTheBus) {
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.Address().empty());
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
    ASSERT_EQ(PublishMediaControls("Zorvane", "zorvane-player"), 1);
    EXPECT_EQ(PublishMediaControls("Zorvane", "zorvane-player"), 1);
    PublishMediaState(kMediaPlaying, "Tone", "/music/tone.wav", 500, 4000, 1);

    std::vector<Polled> polled;
    for (const char* method : {"PlayPause", "Next", "Previous", "Play", "Pause", "Stop"}) {
        const Exchange exchange = CallPlayer(bus, method);
        EXPECT_EQ(exchange.reply.exitCode, 0) << method << exchange.reply.err;
        polled.insert(polled.end(), exchange.commands.begin(), exchange.commands.end());
    }
    const std::vector<Polled> plain = {{kMediaPlayPause, 0}, {kMediaNext, 0}, {kMediaPrevious, 0},
                                       {kMediaPlay, 0},      {kMediaPause, 0}, {kMediaStop, 0}};
    EXPECT_EQ(polled, plain);

    EXPECT_EQ(CallPlayer(bus, "Seek", {"int64:-2500000"}).commands, (std::vector<Polled>{{kMediaSeek, -2500}}));
    // A position is taken only for the piece that plays and inside it.
    const std::string metadata = Property(bus, kPlayer, "Metadata");
    const std::size_t at = metadata.find("object path \"");
    ASSERT_NE(at, std::string::npos) << metadata;
    const std::string track = metadata.substr(at + 13, metadata.find('"', at + 13) - at - 13);
    EXPECT_EQ(CallPlayer(bus, "SetPosition", {"objpath:" + track, "int64:1250000"}).commands,
              (std::vector<Polled>{{kMediaSetPosition, 1250}}));
    EXPECT_TRUE(CallPlayer(bus, "SetPosition", {"objpath:" + track, "int64:9000000"}).commands.empty());
    EXPECT_TRUE(CallPlayer(bus, "SetPosition", {"objpath:/org/zorvane/Track/999", "int64:1000"}).commands.empty());
    EXPECT_EQ(WhilePolling([&] { return bus.Send(kName, {kPath, "org.mpris.MediaPlayer2.Quit"}); }).commands,
              (std::vector<Polled>{{kMediaQuit, 0}}));
    EXPECT_EQ(MediaCommandValue(), 0);

    // The session ends: the program goes on without its media controls.
    bus.Kill();
    for (int frame = 0; frame < 20; ++frame) {
        EXPECT_EQ(PollMediaCommand(), kMediaNone);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST_F(MediaControlsTest, PropertiesAnswerWhatWasLastPublished) {
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.Address().empty());
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
    ASSERT_EQ(PublishMediaControls("Zorvane", "zorvane-player"), 1);

    const std::string root = "org.mpris.MediaPlayer2";
    EXPECT_NE(Property(bus, root, "Identity").find("variant string \"Zorvane\""), std::string::npos);
    EXPECT_NE(Property(bus, root, "DesktopEntry").find("variant string \"zorvane-player\""), std::string::npos);
    EXPECT_NE(Property(bus, kPlayer, "PlaybackStatus").find("\"Stopped\""), std::string::npos);
    EXPECT_NE(Property(bus, kPlayer, "Metadata").find("/org/mpris/MediaPlayer2/TrackList/NoTrack"), std::string::npos);
    EXPECT_NE(Property(bus, kPlayer, "CanPlay").find("boolean false"), std::string::npos);

    // A title of bytes that are no UTF-8 is still shown, with those bytes as "?".
    PublishMediaState(kMediaPlaying, "Tone \xff A", "/music/a b.wav", 1500, 4000, 0.5);
    const std::string metadata = Property(bus, kPlayer, "Metadata");
    EXPECT_NE(metadata.find("string \"xesam:title\" variant string \"Tone ? A\""), std::string::npos) << metadata;
    EXPECT_NE(metadata.find("string \"xesam:url\" variant string \"file:///music/a%20b.wav\""), std::string::npos);
    EXPECT_NE(metadata.find("string \"mpris:length\" variant int64 4000000"), std::string::npos);
    EXPECT_NE(Property(bus, kPlayer, "PlaybackStatus").find("\"Playing\""), std::string::npos);
    EXPECT_NE(Property(bus, kPlayer, "Volume").find("variant double 0.5"), std::string::npos);
    const std::string all = Flat(WhilePolling([&] {
        return bus.Send(kName, {kPath, "org.freedesktop.DBus.Properties.GetAll", std::string("string:") + kPlayer});
    }).reply.out);
    EXPECT_NE(all.find("string \"CanSeek\" variant boolean true"), std::string::npos) << all;
    EXPECT_NE(all.find("string \"CanGoNext\" variant boolean true"), std::string::npos);

    // While playing the position counts on from what was published; paused, it stands.
    const long long playing = Int64Value(Property(bus, kPlayer, "Position"));
    EXPECT_GE(playing, 1500000);
    EXPECT_LE(playing, 4000000);
    PublishMediaState(kMediaPaused, "Tone", "/music/a b.wav", 2000, 4000, 0.5);
    EXPECT_EQ(Int64Value(Property(bus, kPlayer, "Position")), 2000000);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Int64Value(Property(bus, kPlayer, "Position")), 2000000);
    EXPECT_NE(Property(bus, kPlayer, "PlaybackStatus").find("\"Paused\""), std::string::npos);
}

TEST_F(MediaControlsTest, ChangesOfStatusAndPieceAndJumpsAreSignalled) {
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.Address().empty());
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
    const int monitor = bus.Monitor(std::string("type='signal',path='") + kPath + "'");
    // The monitor has joined once it has given its name up.
    ASSERT_NE(ReadUntil(monitor, "member=NameLost").find("member=NameLost"), std::string::npos);
    ASSERT_EQ(PublishMediaControls("Zorvane", ""), 1);
    // What the monitor prints while the program publishes each frame, until text comes.
    std::string seen;
    const auto waitFor = [&](const std::string& text, auto publish) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Flat(seen).find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            publish();
            PollMediaCommand();
            seen += ReadUntil(monitor, "\n", 0.02);
        }
        return Flat(seen).find(text) != std::string::npos;
    };

    EXPECT_TRUE(waitFor("string \"xesam:title\" variant string \"First\"",
                        [] { PublishMediaState(kMediaPlaying, "First", "/music/first.wav", 0, 60000, 1); }));
    EXPECT_EQ(Flat(seen).find("member=Seeked"), std::string::npos);
    EXPECT_TRUE(waitFor("string \"PlaybackStatus\" variant string \"Paused\"",
                        [] { PublishMediaState(kMediaPaused, "First", "/music/first.wav", 100, 60000, 1); }));
    EXPECT_TRUE(waitFor("member=Seeked int64 30000000",
                        [] { PublishMediaState(kMediaPaused, "First", "/music/first.wav", 30000, 60000, 1); }));
}

TEST_F(MediaControlsTest, ASecondPlayerOfTheSameIdentityIsOfferedUnderANameOfItsOwn) {
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.Address().empty());
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
    ForkedChild first = ForkInNewSession([] {
        if (PublishMediaControls("Zorvane", "") != 1) return;
        std::printf("published\n");
        std::fflush(stdout);
        while (PollMediaCommand() != kMediaQuit) usleep(5000);
    });
    ASSERT_NE(ReadUntil(first.out, "published\n").find("published"), std::string::npos);

    ASSERT_EQ(PublishMediaControls("Zorvane", ""), 1);
    const std::string names =
        Flat(bus.Send("org.freedesktop.DBus", {"/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"}).out);
    EXPECT_NE(names.find(std::string("\"") + kName + "\""), std::string::npos) << names;
    EXPECT_NE(names.find(std::string(kName) + ".instance" + std::to_string(getpid())), std::string::npos) << names;

    EXPECT_EQ(bus.Send(kName, {kPath, "org.mpris.MediaPlayer2.Quit"}).exitCode, 0);
    EXPECT_EQ(FinishChild(first), 0);
}

}  // namespace
}  // namespace zrv::test
