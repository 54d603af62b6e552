// Clicks as a touchpad's tap and a remote desktop deliver them: the press and the release
// in the same instant, right after the pointer was warped there, with no frame between.
#include <gtest/gtest.h>

#include <string>

#include "audio/wave_bytes.h"
#include "player_session.h"
#include "support/child_process.h"

namespace zrv::test {
namespace {

// xdotool moves the pointer with a warp and clicks at once, exactly as it is typed.
void Xdotool(const std::vector<std::string>& args) {
    ChildOptions options;
    options.args = args;
    options.timeoutSeconds = 20;
    const ChildResult result = RunChild("/usr/bin/xdotool", options);
    ASSERT_EQ(result.exitCode, 0) << result.err;
}

TEST(PlayerTap, AClickInTheSameInstantAsTheMovePlaysTheFileEveryTime) {
    TempDir root;
    MakeFolder(root / "start");
    WriteFile(root / "start/a.wav", ToneWave({660}, 22050, 8000));
    const EntryRow music(2);  // ".", "..", "a.wav"
    for (int start = 0; start < 3; ++start) {
        PlayerSession player(root / "start", root / "home");
        ASSERT_TRUE(player.Open()) << "start " << start;
        ASSERT_TRUE(MarkedAsMusic(player.Shot(), music));
        Xdotool({"mousemove", "--window", std::to_string(player.PlayerWindow()), std::to_string(kEntryClickX),
                 std::to_string(music.clickY), "click", "1"});
        EXPECT_TRUE(player.WaitForTone(660)) << "start " << start;
        EXPECT_TRUE(player.WaitForScreen([&](const Screen& s) { return Selected(s, music); })) << "start " << start;
        // Gone before the next one starts, so that its window is not taken for the next's.
        EXPECT_EQ(player.EndWithEscape().exitCode, 0);
    }
}

TEST(PlayerTap, ATapOnAControlUnderTheRestingPointerSwitchesIt) {
    TempDir root;
    MakeFolder(root / "start");
    PlayerSession player(root / "start", root / "home");
    ASSERT_TRUE(player.Open());
    const auto outline = LoopOutline;
    Xdotool({"mousemove", "--window", std::to_string(player.PlayerWindow()), std::to_string(kLoopX),
             std::to_string(kLoopY)});
    ASSERT_TRUE(player.WaitForScreen([&](const Screen& s) { return outline(s) == 135; }));
    Xdotool({"click", "1"});
    EXPECT_TRUE(player.WaitForScreen([&](const Screen& s) { return outline(s) == 200; }));
    Xdotool({"click", "1"});
    EXPECT_TRUE(player.WaitForScreen([&](const Screen& s) { return outline(s) == 135; }));
}

}  // namespace
}  // namespace zrv::test
