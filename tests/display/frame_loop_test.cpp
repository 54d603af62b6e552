// The frame call inside a running program: frame rate, the message hook, pausing while
// the window has no focus, and the commands that wait for the user.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "display/frame_state.h"
#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "display/window_events.h"
#include "gfx2d/gfx2d_state.h"
#include "display/support/x_display.h"
#include "support/clock.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"

int MessageHookCalls();

namespace zrv::test {
namespace {

const std::string kTitle = "Zorvane display test";

OpenGLLumivane& Renderer() { return *zrv::Renderer(); }

bool Focused() { return SDL_GetKeyboardFocus() == Renderer().window; }

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        main = x.FindWindow(kTitle);
        ASSERT_NE(main, 0u);
        if (!Focused()) x.Focus(main);
        ASSERT_TRUE(Eventually([] { return Focused() && Frame().paused == 0; }));
    }
    void TearDown() override {
        SetAutoPause(1);
        LimitFrameRate(60);
    }

    XDisplay x;
    ::Window main = 0;
};

TEST_F(FrameLoop, LimitFrameRateSetsThePeriodAndZeroGivesTwoMilliseconds) {
    LimitFrameRate(60.9);
    EXPECT_DOUBLE_EQ(Renderer().framePeriod, 1000.0 / 60);
    LimitFrameRate(-3);
    EXPECT_DOUBLE_EQ(Renderer().framePeriod, 2.0);
    LimitFrameRate(0);
    EXPECT_DOUBLE_EQ(Renderer().framePeriod, 2.0);

    // Each frame moves the deadline on by whole 2 ms periods.
    for (int frame = 0; frame < 20; ++frame) {
        const double before = Renderer().nextFrameDue;
        PresentFrame();
        const double steps = (Renderer().nextFrameDue - before) / 2.0;
        EXPECT_GE(steps, 1);
        EXPECT_NEAR(steps, std::round(steps), 1e-6);
    }
}

// Two seconds of 60 fps waiting while the pointer moves: a wait that polled would burn
// the processor for the last milliseconds of every frame (a third of it, at 60).
TEST_F(FrameLoop, TheFrameWaitSleepsInsteadOfSpinningAndKeepsTheDeadline) {
    LimitFrameRate(60);
    Renderer().WaitForFrameSlot(nullptr);
    std::atomic<bool> done{false};
    std::thread user([&] {
        XDisplay own;
        for (int step = 0; !done; ++step) {
            own.MovePointerTo(100 + step % 50, 100);
            SleepMs(40);
        }
    });
    const double startWall = Now();
    const double startCpu = ThreadCpuSeconds();
    for (int frame = 0; frame < 120; ++frame) Renderer().WaitForFrameSlot(LookUpMessageHook());
    const double cpu = ThreadCpuSeconds() - startCpu;
    const double wall = Now() - startWall;
    done = true;
    user.join();
    EXPECT_GE(wall, 119 * (1.0 / 60));  // never before a deadline
    EXPECT_LT(cpu, 0.1 * wall) << "cpu " << cpu << " s of " << wall << " s";
}

// This test program never saves the screen, so no frame is copied aside for a save.
TEST_F(FrameLoop, AProgramThatCannotSaveTheScreenKeepsNoCopyOfItsFrames) {
    for (int frame = 0; frame < 3; ++frame) PresentFrame();
    EXPECT_EQ(Gfx().presented.texture, 0u);
    EXPECT_EQ(Gfx().presented.width, 0);
}

TEST_F(FrameLoop, QueryFrameTimeIsTheTimeBetweenFramesAndNeverBelowOne) {
    // The first frame may come late for its slot (a slow start) and return at once; from
    // the second on, each frame call begins where the one before ended, at its slot.
    PresentFrame();
    PresentFrame();
    PresentFrame();
    const auto& clock = Clock();
    EXPECT_DOUBLE_EQ(QueryFrameTime(), clock.thisFrameStamp - clock.lastFrameStamp);
    EXPECT_GT(QueryFrameTime(), 1);
    Clock().lastFrameStamp = Clock().thisFrameStamp;
    EXPECT_EQ(QueryFrameTime(), 1);
}

int SDLCALL CountQueued(void* counter, SDL_Event*) {
    ++*static_cast<int*>(counter);
    return 1;
}

TEST_F(FrameLoop, TheMessageHookRunsOncePerWaitingEvent) {
    PumpRuntime();
    int queued = 0;
    const int before = MessageHookCalls();
    SDL_AddEventWatch(CountQueued, &queued);
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(Renderer().window, &windowX, &windowY);
    for (int step = 0; step < 8; ++step) x.MovePointerTo(windowX + 50 + 10 * step, windowY + 60);
    x.Click(1);
    EXPECT_TRUE(Eventually([&] { return queued >= 8; }));
    // Until nothing arrives any more, every queued event must have met the hook once.
    for (int quiet = 0; quiet < 20; ++quiet) {
        PumpRuntime();
        SleepMs(5);
    }
    SDL_DelEventWatch(CountQueued, &queued);
    EXPECT_EQ(MessageHookCalls() - before, queued);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

TEST_F(FrameLoop, LosingTheFocusPausesUntilTheWindowIsActiveAgain) {
    const ::Window thief = x.CreateFocusThief();
    ASSERT_TRUE(Eventually([] { return Frame().paused == 1; }));
    EXPECT_EQ(x.Title(main), kTitle + " <pause>");

    std::atomic<double> refocusedAt{0};
    std::thread user([&] {
        XDisplay own;
        SleepMs(300);
        refocusedAt = ReadClockMs();
        own.Focus(main);
    });
    PresentFrame();  // held here while the window has no focus
    const double returnedAt = ReadClockMs();
    user.join();
    EXPECT_GE(returnedAt, refocusedAt.load());
    EXPECT_EQ(Frame().paused, 0);
    EXPECT_EQ(x.Title(main), kTitle);
    x.Destroy(thief);
}

TEST_F(FrameLoop, WithoutAutoPauseTheProgramRunsOnWithoutFocus) {
    SetAutoPause(0);
    const ::Window thief = x.CreateFocusThief();
    ASSERT_TRUE(Eventually([] { return !Focused(); }));
    for (int frame = 0; frame < 3; ++frame) PresentFrame();  // not held
    EXPECT_EQ(Frame().paused, 0);
    EXPECT_EQ(x.Title(main), kTitle);
    x.Destroy(thief);
}

TEST_F(FrameLoop, WaitForInputChangeGivesUpAfterFifteenRounds) {
    const double start = ReadClockMs();
    WaitForInputChange();
    EXPECT_GE(ReadClockMs() - start, 15 * 5);  // each round sleeps 5 ms
}

// The user presses only once the wait has begun and holds for several of its rounds, as a
// person does; with less, a busy machine could let the wait start after the press, or look
// only after the release, and wait for ever.
TEST_F(FrameLoop, WaitForKeyPressReturnsOnceTheKeyIsReleased) {
    std::atomic<double> releasedAt{0};
    std::thread user([&] {
        XDisplay own;
        SleepMs(400);
        own.KeyDown("space");
        SleepMs(400);
        releasedAt = ReadClockMs();
        own.KeyUp("space");
    });
    WaitForKeyPress();
    const double returnedAt = ReadClockMs();
    user.join();
    EXPECT_GE(returnedAt, releasedAt.load());
}

TEST_F(FrameLoop, WaitForMouseClickReturnsOnceTheButtonIsReleased) {
    std::atomic<double> releasedAt{0};
    std::thread user([&] {
        XDisplay own;
        SleepMs(400);
        own.ButtonDown(1);
        SleepMs(400);
        releasedAt = ReadClockMs();
        own.ButtonUp(1);
    });
    WaitForMouseClick();
    const double returnedAt = ReadClockMs();
    user.join();
    EXPECT_GE(returnedAt, releasedAt.load());
}

}  // namespace
}  // namespace zrv::test
