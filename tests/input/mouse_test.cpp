// The mouse driven through XTest: clamping to the window, one sample per frame, the
// wheel and the buttons, with the pointer hidden (relative motion) and shown.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <thread>

#include "audio/wave_bytes.h"
#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "input/input_state.h"
#include "support/temp_dir.h"
#include "zorvane/audio.h"
#include "display/support/x_display.h"
#include "zorvane/display.h"
#include "zorvane/input.h"

namespace zrv::test {
namespace {

struct Mouse {
    double x = -1, y = -1, left = -1, right = -1;
};

Mouse Read() {
    Mouse m;
    ReadMouse(m.x, m.y, m.left, m.right);
    return m;
}

class MouseInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        ASSERT_TRUE(Eventually([] { return SDL_GetKeyboardFocus() == Renderer()->window; }));
        SDL_GetWindowPosition(Renderer()->window, &originX, &originY);
        x.MovePointerTo(originX + 320, originY + 240);
        // Motion waits in the device until it is read: this test starts without any.
        PresentFrame();
        ReadMouseAxis(0);
        PresentFrame();
        ReadMouseAxis(0);
    }
    void TearDown() override {
        for (unsigned button = 1; button <= 3; ++button) x.ButtonUp(button);
        ShowMousePointer(0);
    }

    XDisplay x;
    int originX = 0;
    int originY = 0;
};

TEST_F(MouseInput, AHiddenPointerMovesWithoutBoundsButReadsClampedAndStoredBack) {
    ASSERT_EQ(Input()->pointerShown, false);
    SetMousePosition(100, 100);
    x.MovePointerBy(-400, 0);
    ASSERT_TRUE(Eventually([] {
        PresentFrame();
        return Read().x == 0;
    }));
    // Clamping stored 0 back: a small move right starts from the edge, not from -300.
    x.MovePointerBy(7, 0);
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        return Read().x == 7;
    }));
    SetMousePosition(5000, 5000);
    const Mouse m = Read();
    EXPECT_EQ(m.x, 639);
    EXPECT_EQ(m.y, 479);
}

TEST_F(MouseInput, AShownPointerIsTheSystemPointerClampedToTheWindow) {
    ShowMousePointer(1);
    x.MovePointerTo(originX + 10, originY + 20);
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        const Mouse m = Read();
        return m.x == 10 && m.y == 20;
    }));
    x.MovePointerTo(0, 0);  // left of and above the window
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        const Mouse m = Read();
        return m.x == 0 && m.y == 0;
    }));
    x.MovePointerTo(1279, 1023);
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        const Mouse m = Read();
        return m.x == 639 && m.y == 479;
    }));
    std::int32_t xi = 0;
    std::int32_t yi = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    ReadMouseInt(xi, yi, left, right);
    EXPECT_EQ(xi, 639);
    EXPECT_EQ(yi, 479);
}

TEST_F(MouseInput, StartingMusicLeavesAShownPointerWhereTheUserMovedIt) {
    TempDir folder;
    const std::string tune = folder / "tune.wav";
    std::ofstream(tune, std::ios::binary)
        << Riff({FormatChunk(1, 22050, 16), Chunk("data", ToneSamples({440}, 22050, 200, 16))});
    ShowMousePointer(1);
    x.MovePointerTo(originX + 10, originY + 20);
    ASSERT_TRUE(Eventually([] {
        PresentFrame();
        return Read().x == 10;
    }));
    // The user moves on before the program's next frame and the music starts.
    x.MovePointerTo(originX + 300, originY + 100);
    const auto systemPointer = [this] {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned mask = 0;
        XQueryPointer(x.Get(), DefaultRootWindow(x.Get()), &root, &child, &rootX, &rootY, &winX, &winY, &mask);
        return std::pair{rootX - originX, rootY - originY};
    };
    ASSERT_EQ(systemPointer(), std::pair(300, 100));
    StartMusic(tune.c_str(), 0);
    EXPECT_EQ(IsMusicPlaying(), 1);
    EXPECT_EQ(systemPointer(), std::pair(300, 100));
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        const Mouse m = Read();
        return m.x == 300 && m.y == 100;
    }));
    StopMusic();
}

TEST_F(MouseInput, MotionIsSampledOncePerFrame) {
    x.MovePointerBy(6, 0);
    ASSERT_TRUE(Eventually([] {
        PresentFrame();
        return ReadMouseAxis(0) == 6;
    }));
    x.MovePointerBy(3, 0);
    PumpRuntime();
    EXPECT_EQ(ReadMouseAxis(0), 6);  // the same frame: the same sample
    EXPECT_EQ(ReadMouseAxis(1), 0);
    EXPECT_EQ(ReadMouseAxis(9), 0);
    PresentFrame();
    EXPECT_NE(ReadMouseAxis(0), 6);
}

TEST_F(MouseInput, TheWheelCountsOncePerFrame) {
    x.Click(4);  // away from the user
    ASSERT_TRUE(Eventually([] {
        PresentFrame();
        return ReadMouseAxis(2) != 0;
    }));
    EXPECT_EQ(ReadMouseAxis(2), 1);
    EXPECT_EQ(ReadMouseAxis(2), 1);
    PresentFrame();
    EXPECT_EQ(ReadMouseAxis(2), 0);

    for (int notch = 0; notch < 3; ++notch) x.Click(5);  // three notches still give -1
    ASSERT_TRUE(Eventually([] {
        PresentFrame();
        return ReadMouseAxis(2) != 0;
    }));
    EXPECT_EQ(ReadMouseAxis(2), -1);
}

TEST_F(MouseInput, APointerWarpedOverTheWindowIsFollowedWithoutAButton) {
    ShowMousePointer(1);
    for (const auto& to : {std::pair(50, 60), std::pair(123, 45), std::pair(600, 400)}) {
        x.WarpPointerTo(originX + to.first, originY + to.second);
        EXPECT_TRUE(Eventually([&] {
            PresentFrame();
            const Mouse m = Read();
            return m.x == to.first && m.y == to.second;
        })) << to.first << "," << to.second;
    }
    x.WarpPointerTo(0, 0);  // out of the window: it is last seen at the edge it left by
    EXPECT_TRUE(Eventually([] {
        PresentFrame();
        const Mouse m = Read();
        return m.x < 50 && m.y < 50;
    }));
}

// A click whose press and release both arrive between two frames (a touchpad's tap).
TEST_F(MouseInput, AClickOverBeforeTheFrameLooksReadsAsDownForThatFrameOnly) {
    struct Case {
        unsigned button;
        double axis;
    };
    for (const bool shown : {false, true}) {
        ShowMousePointer(shown ? 1 : 0);
        for (const Case c : {Case{1, 3}, Case{3, 4}, Case{2, 5}}) {
            x.Click(c.button);
            ASSERT_TRUE(Eventually([&] {
                PresentFrame();
                return ReadMouseAxis(c.axis) == 1;
            })) << "button " << c.button << (shown ? " shown" : " hidden");
            const Mouse m = Read();  // every read of that frame
            EXPECT_EQ(m.left, c.button == 1 ? 1 : 0);
            EXPECT_EQ(m.right, c.button == 3 ? 1 : 0);
            PresentFrame();
            EXPECT_EQ(ReadMouseAxis(c.axis), 0);
            EXPECT_EQ(Read().left, 0);
        }
    }
    // A wait for a click sees one that was over before it looked again.
    std::thread clicker([] {
        XDisplay other;
        usleep(300000);
        other.Click(1);
    });
    WaitForMouseClick();
    clicker.join();
    PresentFrame();
    EXPECT_EQ(Read().left, 0);
}

TEST_F(MouseInput, ButtonsReadWhileHeld) {
    x.ButtonDown(1);
    EXPECT_TRUE(Eventually([] { return Read().left == 1; }));
    EXPECT_EQ(Read().right, 0);
    x.ButtonDown(3);
    EXPECT_TRUE(Eventually([] { return Read().right == 1; }));
    x.ButtonDown(2);
    EXPECT_TRUE(Eventually([] { return ReadMouseAxis(5) == 1; }));
    EXPECT_EQ(ReadMouseAxis(3), 1);
    EXPECT_EQ(ReadMouseAxis(4), 1);
    x.ButtonUp(1);
    EXPECT_TRUE(Eventually([] { return Read().left == 0; }));
    EXPECT_EQ(CountMice(), 1);
}

}  // namespace
}  // namespace zrv::test
