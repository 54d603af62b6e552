// The window, its OpenGL context and the display modes, looked at through the X server
// and by reading pixels back.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/core_state.h"
#include "display/gl_extensions.h"
#include "display/opengl_lumivane.h"
#include "display/software_check.h"
#include "display/support/runtime_session.h"
#include "display/support/x_display.h"
#include "support/temp_dir.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"

namespace zrv::test {
namespace {

const std::string kTitle = "Zorvane display test";

OpenGLLumivane& Renderer() { return *zrv::Renderer(); }

std::vector<std::string> Log() { return ReadLogLines(SessionLogFolder()); }

long CountLines(const std::string& line) {
    const auto log = Log();
    return std::count(log.begin(), log.end(), line);
}

// Every test starts from the project's windowed 640 x 480.
class DisplayWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        if (Renderer().width != 640 || Renderer().height != 480 || IsFullscreen() != 0) OpenScreen(640, 480, 0);
        main = x.FindWindow(kTitle);
        ASSERT_NE(main, 0u);
    }

    XDisplay x;
    ::Window main = 0;  // the X window
};

TEST_F(DisplayWindow, StartUpOpensTheProjectWindowOnLlvmpipeAndSaysSoInTheLog) {
    EXPECT_EQ(x.Size(main), std::make_pair(640, 480));
    EXPECT_EQ(GetMainWindow(), static_cast<void*>(Renderer().window));
    EXPECT_EQ(Renderer().ready, 1);
    EXPECT_EQ(Renderer().sampleCount, 0);
    EXPECT_TRUE(IsSoftwareRenderer(DisplayProcess().rendererName.c_str())) << DisplayProcess().rendererName;
    const auto log = Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "Init GFX");
    EXPECT_EQ(log[1], "OpenGL Software Emulation");
    EXPECT_EQ(log[2], "Init Finalized");
    // The screen saver must not blank a program that is being watched.
    EXPECT_EQ(SDL_IsScreenSaverEnabled(), SDL_FALSE);
}

TEST_F(DisplayWindow, OpenScreenGivesTheClientAreaAndA2DViewWithYZeroAtTheTop) {
    OpenScreen(640, 200, 0);
    EXPECT_EQ(x.Size(main), std::make_pair(640, 200));
    double width = 0;
    double height = 0;
    QueryScreenSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 200);
    std::int32_t w = 0;
    std::int32_t h = 0;
    QueryScreenSizeInt(w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(640, 200));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, 640, 200}));

    // A white bar over the top ten rows, wound counter-clockwise on the screen as every
    // 2D shape must be to survive face culling.
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);  // whatever the 2D renderer left bound
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(0, 10);
    glVertex2f(640, 10);
    glVertex2f(640, 0);
    glEnd();
    glReadBuffer(GL_BACK);
    unsigned char top[4] = {};
    unsigned char below[4] = {};
    glReadPixels(320, 199, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, top);     // window row 0
    glReadPixels(320, 189, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, below);   // window row 10
    EXPECT_EQ(top[0], 255);
    EXPECT_EQ(top[1], 255);
    EXPECT_EQ(top[2], 255);
    EXPECT_EQ(below[0], 0);
    PresentFrame();
}

TEST_F(DisplayWindow, ResetView2DKeepsItsOffsetButCoversTheWholeArea) {
    Renderer().ResetView2D(10, 20, 0, 0);
    EXPECT_EQ(Renderer().viewX, 10);
    EXPECT_EQ(Renderer().viewY, 20);
    EXPECT_EQ(Renderer().viewWidth, 640);
    EXPECT_EQ(Renderer().viewHeight, 480);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{10, -20, 640, 480}));
    EXPECT_EQ(Renderer().smoothing, 1);
    Renderer().ResetView2D(0, 0, 0, 0);
}

TEST_F(DisplayWindow, FullscreenWithoutAMatchingModeStaysWindowedAndLogsIt) {
    const long before = CountLines("No Fullscreen Mode available");
    OpenScreen(800, 600, 1);
    EXPECT_EQ(IsFullscreen(), 0);
    EXPECT_EQ(CountLines("No Fullscreen Mode available"), before + 1);
    EXPECT_EQ(x.Size(main), std::make_pair(800, 600));
    EXPECT_EQ(GetProjectSettings().fullscreen, 1);  // the program's wish is kept
}

TEST_F(DisplayWindow, FullscreenInTheDesktopModeAndBackToAWindow) {
    LimitFrameRate(60);
    OpenScreen(1280, 1024, 1);  // the one mode of the test server
    EXPECT_EQ(IsFullscreen(), 1);
    EXPECT_EQ(x.Size(main), std::make_pair(1280, 1024));
    // The frame rate survives the switch as 1000 / (1000 / 60), truncated: 59.
    EXPECT_DOUBLE_EQ(Renderer().framePeriod, 1000.0 / 59);

    const double leaving = ReadClockMs();
    OpenScreen(640, 480, 0);
    EXPECT_GE(ReadClockMs() - leaving, 500);  // the monitor gets its moment to settle
    EXPECT_EQ(IsFullscreen(), 0);
    EXPECT_EQ(x.Size(main), std::make_pair(640, 480));
    LimitFrameRate(60);
}

TEST_F(DisplayWindow, ExtensionEntryPointsAreFetchedByName) {
    const auto& table = GlExtensions();
    EXPECT_NE(table.glActiveTextureARB, nullptr);
    EXPECT_NE(table.glGenBuffersARB, nullptr);
    EXPECT_NE(table.glCreateShaderObjectARB, nullptr);
    EXPECT_NE(table.glBindFramebufferEXT, nullptr);
    EXPECT_NE(table.glGetFramebufferAttachmentParameterivEXT, nullptr);
}

// A second renderer, beside the runtime's, for what only creation shows.
class SecondRenderer : public DisplayWindow {
protected:
    void TearDown() override {
        SDL_GL_MakeCurrent(Renderer().window, Renderer().context);
    }
};

TEST_F(SecondRenderer, MultisamplingHalvesTheCountUntilAFormatExists) {
    OpenGLLumivane second;
    ASSERT_TRUE(second.CreateDisplay(nullptr, 320, 200, 0, 60, 64));
    GLint buffers = 0;
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &buffers);
    glGetIntegerv(GL_SAMPLES, &samples);
    EXPECT_EQ(buffers, 1);
    EXPECT_GT(samples, 1);
    EXPECT_LT(samples, 64);
    EXPECT_EQ(samples & (samples - 1), 0) << "halving 64 only ever gives powers of two";
    EXPECT_EQ(second.sampleCount, 0);
}

TEST_F(SecondRenderer, NoMultisampleRequestGivesAPlainFormatAndNoSecondWarning) {
    OpenGLLumivane second;
    ASSERT_TRUE(second.CreateDisplay(nullptr, 320, 200, 0, 0, 0));
    GLint buffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &buffers);
    EXPECT_EQ(buffers, 0);
    EXPECT_DOUBLE_EQ(second.framePeriod, 2.0);  // a limit of 0
    EXPECT_EQ(CountLines("OpenGL Software Emulation"), 1);
}

TEST_F(SecondRenderer, DepthAndStencilBuffersComeOnlyWhenTheSettingsAskForThem) {
    const auto bits = [](GLenum which) {
        GLint value = -1;
        glGetIntegerv(which, &value);
        return value;
    };
    EXPECT_EQ(bits(GL_DEPTH_BITS), 0);  // the runtime's own window, default settings
    EXPECT_EQ(bits(GL_STENCIL_BITS), 0);
    Settings().depthBuffer = 1;
    OpenGLLumivane second;
    const bool made = second.CreateDisplay(nullptr, 320, 200, 0, 60, 0);
    Settings().depthBuffer = 0;
    ASSERT_TRUE(made);
    EXPECT_GE(bits(GL_DEPTH_BITS), 24);
    EXPECT_GE(bits(GL_STENCIL_BITS), 8);
}

TEST_F(SecondRenderer, ZeroSizeTakesTheCreatedWindowsSize) {
    OpenGLLumivane second;
    ASSERT_TRUE(second.CreateDisplay(nullptr, 0, 0, 0, 60, 0));
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(second.window, &w, &h);
    EXPECT_GT(second.width, 0);
    EXPECT_EQ(second.width, w);
    EXPECT_EQ(second.height, h);
    EXPECT_GT(second.colourBits, 0);  // the desktop's depth
}

TEST(SoftwareRenderer, IsRecognisedByTheRendererName) {
    EXPECT_TRUE(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(IsSoftwareRenderer("softpipe"));
    EXPECT_TRUE(IsSoftwareRenderer("Mesa DRI Software Rasterizer"));
    EXPECT_TRUE(IsSoftwareRenderer("Mesa Windows GDI Driver"));
    EXPECT_FALSE(IsSoftwareRenderer("Mesa Windows GDI Driver 2"));
    EXPECT_FALSE(IsSoftwareRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
    EXPECT_FALSE(IsSoftwareRenderer(""));
    EXPECT_FALSE(IsSoftwareRenderer(nullptr));
}

TEST(ExtensionString, NamesCountOnlyAsWholeWords) {
    EXPECT_TRUE(HasExtensionWord("GL_ARB_multisample", "GL_ARB_multisample"));
    EXPECT_TRUE(HasExtensionWord("GL_A GL_ARB_multisample GL_B", "GL_ARB_multisample"));
    EXPECT_TRUE(HasExtensionWord("GL_ARB_multisample_x GL_ARB_multisample", "GL_ARB_multisample"));
    EXPECT_FALSE(HasExtensionWord("GL_ARB_multisample_x", "GL_ARB_multisample"));
    EXPECT_FALSE(HasExtensionWord("XGL_ARB_multisample", "GL_ARB_multisample"));
    EXPECT_FALSE(HasExtensionWord("", "GL_ARB_multisample"));
    EXPECT_FALSE(HasExtensionWord(nullptr, "GL_ARB_multisample"));
}

}  // namespace
}  // namespace zrv::test
