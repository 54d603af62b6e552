// The player driven from the desktop's media controls, on a session bus of the test's own,
// measured in what its sound device played and in what it tells the bus.
#include <gtest/gtest.h>

#include <string>

#include "audio/wave_bytes.h"
#include "player_session.h"
#include "support/scoped_env.h"
#include "support/session_bus.h"

namespace zrv::test {
namespace {

constexpr const char* kName = "org.mpris.MediaPlayer2.zorvane";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";
constexpr double kToneRms = 0.5 / 1.4142135623730951;

class MediaBusClient {
public:
    explicit MediaBusClient(PrivateSessionBus& bus) : bus_(bus) {}
    bool Call(const std::string& method, const std::vector<std::string>& arguments = {}) {
        std::vector<std::string> call = {"/org/mpris/MediaPlayer2", std::string(kPlayer) + "." + method};
        call.insert(call.end(), arguments.begin(), arguments.end());
        return bus_.Send(kName, call).exitCode == 0;
    }
    std::string Get(const std::string& name) { return Flat(bus_.Property(kName, kPlayer, name).out); }
    // Asks until the property's answer holds text; false after the time-out.
    bool WaitFor(const std::string& name, const std::string& text, double seconds = 30) {
        const double deadline = Now() + seconds;
        while (Get(name).find(text) == std::string::npos) {
            if (Now() > deadline) return false;
            Pause(0.05);
        }
        return true;
    }
    long long Position() {
        const std::string answer = Get("Position");
        const std::size_t at = answer.find("variant int64 ");
        return at == std::string::npos ? -1 : std::stoll(answer.substr(at + 14));
    }

private:
    PrivateSessionBus& bus_;
};

TEST(PlayerMediaControls, TheDesktopPlaysPausesStepsSeeksAndEndsThePlayerAndSeesWhatPlays) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/a.wav", ToneWave({660}, 22050, 30000));
    WriteFile(root / "start/b.wav", ToneWave({880}, 22050, 30000));
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.Address().empty());
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str());
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    MediaBusClient desktop(bus);
    ASSERT_TRUE(desktop.WaitFor("PlaybackStatus", "\"Stopped\""));

    // Play with nothing loaded starts the folder's first music file.
    ASSERT_TRUE(desktop.Call("Play"));
    EXPECT_TRUE(player.WaitForTone(660, kToneRms * 0.8));
    EXPECT_TRUE(desktop.WaitFor("Metadata", "string \"xesam:title\" variant string \"a.wav\""));
    EXPECT_NE(desktop.Get("Metadata").find("/start/a.wav\""), std::string::npos);
    const long long early = desktop.Position();
    Pause(0.5);
    EXPECT_GT(desktop.Position(), early);

    ASSERT_TRUE(desktop.Call("PlayPause"));
    EXPECT_TRUE(player.WaitForSilence());
    EXPECT_TRUE(desktop.WaitFor("PlaybackStatus", "\"Paused\""));
    const long long paused = desktop.Position();
    Pause(0.5);
    EXPECT_EQ(desktop.Position(), paused);
    ASSERT_TRUE(desktop.Call("PlayPause"));
    EXPECT_TRUE(player.WaitForTone(660, kToneRms * 0.8));

    ASSERT_TRUE(desktop.Call("Next"));
    EXPECT_TRUE(player.WaitForTone(880, kToneRms * 0.8));
    EXPECT_TRUE(desktop.WaitFor("Metadata", "variant string \"b.wav\""));
    const long long before = desktop.Position();
    ASSERT_TRUE(desktop.Call("Seek", {"int64:10000000"}));
    const double deadline = Now() + 30;
    while (desktop.Position() < before + 9000000 && Now() < deadline) Pause(0.05);
    EXPECT_GE(desktop.Position(), before + 9000000);

    EXPECT_EQ(bus.Send(kName, {"/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit"}).exitCode, 0);
    const ChildResult ended = player.Finish();
    EXPECT_TRUE(ended.exited);
    EXPECT_EQ(ended.exitCode, 0);
}

}  // namespace
}  // namespace zrv::test
