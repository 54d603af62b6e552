// Pausing only while minimised: a program behind other windows keeps calling frames, a
// minimised one is held, and the default still pauses whenever the focus is gone.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "display/support/x_display.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"

namespace zrv::test {
namespace {

const std::string kTitle = "Zorvane display test";

bool Focused() { return SDL_GetKeyboardFocus() == Renderer()->window; }

TEST(PauseMode, OnlyMinimisedRunsInTheBackgroundAndHoldsWhileMinimised) {
    XDisplay x;
    ASSERT_TRUE(x.Ok());
    const ::Window main = x.FindWindow(kTitle);
    ASSERT_NE(main, 0u);
    x.Focus(main);
    ASSERT_TRUE(Eventually([] { return Focused() && Frame().paused == 0; }));

    SetPauseOnlyWhenMinimised(1);
    const ::Window thief = x.CreateFocusThief();
    ASSERT_TRUE(Eventually([] { return !Focused(); }));
    // Frames go on at their own rate behind the other window.
    const double start = ReadClockMs();
    for (int frame = 0; frame < 30; ++frame) PresentFrame();
    EXPECT_LT(ReadClockMs() - start, 5000);
    EXPECT_EQ(Frame().paused, 0);
    EXPECT_EQ(x.Title(main), kTitle);

    x.Minimise(main);
    ASSERT_TRUE(Eventually([] { return Frame().paused == 1; }));
    EXPECT_EQ(x.Title(main), kTitle + " <pause>");
    std::atomic<double> restoredAt{0};
    std::thread user([&] {
        XDisplay own;
        SleepMs(300);
        restoredAt = ReadClockMs();
        own.Restore(main);
    });
    PresentFrame();  // held here while minimised
    const double returnedAt = ReadClockMs();
    user.join();
    EXPECT_GE(returnedAt, restoredAt.load());
    EXPECT_EQ(Frame().paused, 0);
    EXPECT_EQ(x.Title(main), kTitle);

    // The default again: losing the focus alone pauses.
    SetPauseOnlyWhenMinimised(0);
    x.Focus(main);
    ASSERT_TRUE(Eventually([] { return Focused(); }));
    x.Focus(thief);
    EXPECT_TRUE(Eventually([] { return Frame().paused == 1; }));
    EXPECT_EQ(x.Title(main), kTitle + " <pause>");

    x.Focus(main);
    EXPECT_TRUE(Eventually([] { return Focused() && Frame().paused == 0; }));
    x.Destroy(thief);
}

}  // namespace
}  // namespace zrv::test
