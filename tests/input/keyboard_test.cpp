// Keys typed on the X server arrive as DIK codes and as characters of the layout.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "display/support/x_display.h"
#include "input/dik_codes.h"
#include "input/input_state.h"
#include "zorvane/input.h"

namespace zrv::test {
namespace {

std::string Typed() { return ReadKeyChar().c_str(); }

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        ASSERT_TRUE(Eventually([] { return SDL_GetKeyboardFocus() == Renderer()->window; }));
        // Nothing typed before this test is left over.
        ASSERT_TRUE(Eventually([] { return Typed().empty(); }));
    }
    void TearDown() override {
        for (const char* key : {"a", "z", "b", "1", "Shift_L", "Return", "Escape", "Up", "F1", "BackSpace"}) x.KeyUp(key);
    }

    XDisplay x;
};

TEST_F(Keyboard, KeysArriveAsDikCodes) {
    const struct {
        const char* keysym;
        double code;
    } keys[] = {{"Escape", 1}, {"Return", 28}, {"a", 30}, {"Up", 200}, {"z", 44}, {"F1", 59}};
    for (const auto& key : keys) {
        x.KeyDown(key.keysym);
        EXPECT_TRUE(Eventually([&] { return IsKeyDown(key.code) == 1; })) << key.keysym;
        x.KeyUp(key.keysym);
        EXPECT_TRUE(Eventually([&] { return IsKeyDown(key.code) == 0; })) << key.keysym;
    }
}

TEST_F(Keyboard, OnlyTheLowEightBitsOfACodeCount) {
    x.KeyDown("z");
    ASSERT_TRUE(Eventually([] { return IsKeyDown(44) == 1; }));
    EXPECT_EQ(IsKeyDown(300), 1);
    EXPECT_EQ(IsKeyDown(44 + 512), 1);
    EXPECT_EQ(IsKeyDown(45), 0);
}

TEST_F(Keyboard, AHeldKeyIsTypedOnceAndShiftDoesNotRepeatIt) {
    x.KeyDown("a");
    ASSERT_TRUE(Eventually([] { return Typed() == "a"; }));
    for (int i = 0; i < 20; ++i) {
        PumpRuntime();
        EXPECT_EQ(Typed(), "");
    }
    x.KeyDown("Shift_L");  // "A" is the same character as the "a" still held
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Typed(), "");
    // The first key down with a character decides: "a" hides "b" until it is let go.
    x.KeyDown("b");
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Typed(), "");
    x.KeyUp("a");
    EXPECT_TRUE(Eventually([] { return Typed() == "B"; }));
}

TEST_F(Keyboard, ReleasingEverythingArmsTheSameKeyAgain) {
    x.Tap("a");
    x.KeyDown("a");
    ASSERT_TRUE(Eventually([] { return Typed() == "a"; }));
    x.KeyUp("a");
    ASSERT_TRUE(Eventually([] { return IsKeyDown(30) == 0; }));
    EXPECT_EQ(Typed(), "");
    x.KeyDown("a");
    EXPECT_TRUE(Eventually([] { return Typed() == "a"; }));
}

TEST_F(Keyboard, ReturnGivesALineFeedAndBackspaceAnEight) {
    x.KeyDown("Return");
    EXPECT_TRUE(Eventually([] { return Typed() == "\n"; }));
    x.KeyUp("Return");
    x.KeyDown("BackSpace");
    EXPECT_TRUE(Eventually([] { return Typed() == "\b"; }));
}

TEST_F(Keyboard, ShiftGivesTheLayoutsShiftedCharacter) {
    x.KeyDown("Shift_L");
    x.KeyDown("1");
    EXPECT_TRUE(Eventually([] { return Typed() == "!"; }));
}

TEST_F(Keyboard, KeysWithoutACharacterGiveNothing) {
    x.KeyDown("F1");
    ASSERT_TRUE(Eventually([] { return IsKeyDown(59) == 1; }));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Typed(), "");
}

TEST_F(Keyboard, ATapBetweenTwoLooksCountsAsDownOnceForEachReader) {
    InputState& input = *Input();
    constexpr std::int32_t kB = 48;
    // Whatever earlier tests pressed has been seen by every reader.
    RefreshKeyboard(input);
    IsKeyDown(kB);
    Typed();

    x.Tap("b");  // down and up again before the runtime looks
    ASSERT_TRUE(Eventually([&] {
        RefreshKeyboard(input);
        return KeyDownInSnapshot(input, kB);
    }));
    RefreshKeyboard(input);
    EXPECT_FALSE(KeyDownInSnapshot(input, kB));
    EXPECT_EQ(IsKeyDown(kB), 1);
    EXPECT_EQ(IsKeyDown(kB), 0);
    EXPECT_EQ(Typed(), "b");
    EXPECT_EQ(Typed(), "");
}

// Every key of a 105-key keyboard has a code, and no two keys share one (except the two
// names of the key beside Return).
TEST(DikTable, CoversTheWholeKeyboardWithoutSharedCodes) {
    int mapped = 0;
    bool used[256] = {};
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const std::uint8_t dik = DikFromScancode(scancode);
        if (dik == 0) continue;
        ++mapped;
        if (scancode == SDL_SCANCODE_NONUSHASH) continue;
        EXPECT_FALSE(used[dik]) << "DIK " << int(dik) << " twice, at scancode " << scancode;
        used[dik] = true;
    }
    EXPECT_GE(mapped, 105);
    for (int scancode = SDL_SCANCODE_A; scancode <= SDL_SCANCODE_KP_PERIOD; ++scancode) {
        EXPECT_NE(DikFromScancode(scancode), 0) << scancode;
    }
    for (int scancode = SDL_SCANCODE_LCTRL; scancode <= SDL_SCANCODE_RGUI; ++scancode) {
        EXPECT_NE(DikFromScancode(scancode), 0) << scancode;
    }
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_NONUSBACKSLASH), 86);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_APPLICATION), 221);
    EXPECT_EQ(DikFromScancode(SDL_SCANCODE_KP_ENTER), 156);
    EXPECT_EQ(DikFromScancode(-1), 0);
    EXPECT_EQ(DikFromScancode(SDL_NUM_SCANCODES), 0);
}

}  // namespace
}  // namespace zrv::test
