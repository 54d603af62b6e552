// Escape and Alt+F4 typed on the X server end a running program through StopProgram.
#include <gtest/gtest.h>
#include <unistd.h>

#include "display/support/x_display.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace zrv::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kCleanRun{"Init GFX", "OpenGL Software Emulation", "Init Finalized", "Shut down ZRV"};

TEST(EndingKeys, EscapeEndsTheProgram) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"), Env{{"TMPDIR", tmp.Path()}});
    ASSERT_TRUE(child.WaitForLine("ready"));
    XDisplay x;
    x.KeyDown("Escape");  // held until the program is gone: a frame must see it down
    const ChildResult result = child.Finish();
    x.KeyUp("Escape");
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "quit hook\n"));
    EXPECT_FALSE(Contains(result.out, "timeout"));
    EXPECT_EQ(ReadLogLines(tmp.Path()), kCleanRun);
}

TEST(EndingKeys, AShortTapOfEscapeBetweenTwoFramesEndsTheProgram) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"), Env{{"TMPDIR", tmp.Path()}});
    ASSERT_TRUE(child.WaitForLine("ready"));
    XDisplay x;
    x.Tap("Escape");  // let go long before the next frame looks
    const ChildResult result = child.Finish();
    EXPECT_TRUE(result.exited);
    EXPECT_TRUE(Contains(result.out, "quit hook\n"));
    EXPECT_FALSE(Contains(result.out, "timeout"));
}

TEST(EndingKeys, WithEscapeSwitchedOffOnlyAltF4EndsTheProgram) {
    TempDir tmp;
    LiveChild child(TestProgram("display_probe"), Env{{"TMPDIR", tmp.Path()}, {"ZRV_ESCAPE_QUITS", "0"}});
    ASSERT_TRUE(child.WaitForLine("ready"));
    XDisplay x;
    x.KeyDown("Escape");
    EXPECT_TRUE(child.WaitForLine("escape seen"));  // frames go on with Escape down
    x.KeyUp("Escape");
    usleep(100000);
    EXPECT_FALSE(child.HasPrinted("quit hook"));

    x.KeyDown("Alt_L");
    x.KeyDown("F4");
    const ChildResult result = child.Finish();
    x.KeyUp("F4");
    x.KeyUp("Alt_L");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "quit hook\n"));
    EXPECT_FALSE(Contains(result.out, "timeout"));
    EXPECT_EQ(ReadLogLines(tmp.Path()), kCleanRun);
}

}  // namespace
}  // namespace zrv::test
