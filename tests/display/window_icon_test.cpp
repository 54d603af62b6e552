// The class icon, as the window system sees it: the picture the executable carries, pixel
// for pixel, on the main window and on every window created later.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "display/opengl_lumivane.h"
#include "gfx2d/image_codecs.h"
// Xlib's macros come last, after every header that could use the names.
#include "display/support/x_display.h"
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>

namespace zrv {
extern const unsigned char kWindowIconPng[];
extern const std::size_t kWindowIconPngSize;
}  // namespace zrv

namespace zrv::test {
namespace {

::Window XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

// _NET_WM_ICON: width, height, then one ARGB value per pixel, rows from the top.
std::vector<unsigned long> IconProperty(const XDisplay& x, ::Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom icon = XInternAtom(x.Get(), "_NET_WM_ICON", False);
    std::vector<unsigned long> values;
    if (XGetWindowProperty(x.Get(), window, icon, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) XFree(data);
    return values;
}

// Which pixels of the property differ from the picture; -1 when the sizes disagree.
int DifferingPixels(const std::vector<unsigned long>& property, const DecodedImage& picture) {
    if (property.size() < 2 || property[0] != static_cast<unsigned long>(picture.width) ||
        property[1] != static_cast<unsigned long>(picture.height) ||
        property.size() != 2 + static_cast<std::size_t>(picture.width) * picture.height) {
        return -1;
    }
    int differing = 0;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.Row(y) + x * 4;
            const unsigned long argb = static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
            differing += (property[2 + static_cast<std::size_t>(y) * picture.width + x] & 0xFFFFFFFF) != argb;
        }
    }
    return differing;
}

TEST(WindowIcon, TheMainWindowAndEveryLaterWindowCarryTheProjectIcon) {
    DecodedImage picture;
    ASSERT_TRUE(DecodePng(ByteSpan(kWindowIconPng, kWindowIconPngSize), "icon", kNoKeyColour, picture));
    ASSERT_EQ(picture.width, 64);
    XDisplay x;
    ASSERT_TRUE(x.Ok());

    const ::Window main = XWindowOf(Renderer()->window);
    ASSERT_NE(main, 0u);
    EXPECT_EQ(DifferingPixels(IconProperty(x, main), picture), 0);

    // A multisampled format makes the window anew.
    OpenGLLumivane second;
    ASSERT_TRUE(second.CreateDisplay(nullptr, 320, 200, 0, 60, 4));
    const ::Window later = XWindowOf(second.window);
    ASSERT_NE(later, 0u);
    EXPECT_EQ(DifferingPixels(IconProperty(x, later), picture), 0);
    SDL_GL_MakeCurrent(Renderer()->window, Renderer()->context);
}

}  // namespace
}  // namespace zrv::test
