// Whole windowed programs as children: how they start on this display, and how the close
// box ends them.
#include <gtest/gtest.h>
#include <unistd.h>

#include "display/support/no_display.h"
#include "display/support/x_display.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace zrv::test {
namespace {

using Lines = std::vector<std::string>;

TEST(WindowedProgram, TheCloseBoxEndsItThroughTheQuitHook) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"), Env{{"TMPDIR", tmp.Path()}, {"ZRV_TITLE", "Probe close"}});
    ASSERT_TRUE(child.WaitForLine("ready"));
    XDisplay x;
    const ::Window window = x.FindWindow("Probe close");
    ASSERT_NE(window, 0u);
    x.RequestClose(window);

    const ChildResult result = child.Finish();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "quit hook\n"));
    EXPECT_FALSE(Contains(result.out, "timeout"));
    EXPECT_EQ(ReadLogLines(tmp.Path()),
              (Lines{"Init GFX", "OpenGL Software Emulation", "Init Finalized", "Shut down ZRV"}));
    // The start-up's trace lines, before the program's first statement.
    EXPECT_TRUE(Contains(result.out, "FBO\nViewport\nGFX seem OK\n"));
    EXPECT_LT(result.out.find("GFX seem OK"), result.out.find("main"));
}

TEST(WindowedProgram, TheSoftwareWarningHoldsStartUpUntilItIsDismissed) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"),
                    Env{{"TMPDIR", tmp.Path()}, {"ZRV_PROBE", "end"}, {"ZRV_NO_WARNING_BOX", "0"}});
    XDisplay x;
    const ::Window box = x.FindWindow("!!OpenGL Software Emulation!!");
    ASSERT_NE(box, 0u);
    usleep(200000);
    EXPECT_FALSE(child.HasPrinted("main"));
    x.RequestClose(box);

    const ChildResult result = child.Finish();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "main\n"));
    const Lines log = ReadLogLines(tmp.Path());
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], "OpenGL Software Emulation");
}

TEST(WindowedProgram, AskedToRunWithoutAWindowItNeverOpensOne) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"),
                    Env{{"TMPDIR", tmp.Path()}, {"ZRV_PROBE", "end"}, {"ZRV_NO_WINDOW", "1"}});
    const ChildResult result = child.Finish();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "main\n"));
    EXPECT_TRUE(Contains(result.out, "quit hook\n"));
    EXPECT_FALSE(Contains(result.out, "GFX seem OK"));
    EXPECT_EQ(ReadLogLines(tmp.Path()), (Lines{"Init GFX", "Init Finalized", "Shut down ZRV"}));
}

TEST(WindowedProgram, WithoutADisplayItEndsAtOnceWithTheReason) {
    ExpectStartWithoutAWindowFails(TestProgram("display_probe"));
}

// SDL's memory-only display, asked for by name, has no relative mouse: the hidden pointer
// then has no device of its own, which the log records. (That driver unloads its EGL
// library with the window, and a sanitizer build's leak checker cannot tell EGL's leftovers
// from anybody's: it is off for this one child.)
TEST(WindowedProgram, AMouseWithoutRelativeMotionIsLogged) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"), Env{{"TMPDIR", tmp.Path()},
                                                      {"ZRV_PROBE", "end"},
                                                      {"SDL_VIDEODRIVER", "offscreen"},
                                                      {"ASAN_OPTIONS", "detect_leaks=0"}});
    const ChildResult result = child.Finish();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadLogLines(tmp.Path()), (Lines{"Init GFX", "OpenGL Software Emulation", "No DX_Mouse",
                                               "Init Finalized", "Shut down ZRV"}));
}

}  // namespace
}  // namespace zrv::test
