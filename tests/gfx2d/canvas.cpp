#include "gfx2d/canvas.h"

#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/gfx2d_state.h"
#include "gfx2d/quad_batch.h"
#include "zorvane.h"

namespace zrv::test {

std::int32_t BackPixel(int x, int y) {
    GLubyte pixel[4] = {0, 0, 0, 0};
    FlushQuadBatch();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, Renderer()->height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] | pixel[1] << 8 | pixel[2] << 16;
}

std::vector<std::uint8_t> BackBufferRgb(int x, int y, int width, int height) {
    std::vector<std::uint8_t> bottomUp(static_cast<std::size_t>(width) * height * 3);
    FlushQuadBatch();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, Renderer()->height - y - height, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int r = 0; r < height; ++r) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(r * row), row,
                    topDown.begin() + static_cast<std::ptrdiff_t>((height - 1 - r) * row));
    }
    return topDown;
}

Bytes BmpOf(const std::vector<std::vector<std::int32_t>>& rows) {
    BmpLayout layout;
    layout.width = static_cast<std::int32_t>(rows.front().size());
    layout.height = static_cast<std::int32_t>(rows.size());
    for (const auto& row : rows) {
        std::vector<Rgb> pixels;
        for (std::int32_t c : row) {
            pixels.push_back({static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>(c >> 8 & 0xFF),
                              static_cast<std::uint8_t>(c >> 16 & 0xFF)});
        }
        layout.rows.push_back(Row24(pixels));
    }
    return MakeBmp(layout);
}

Bytes SolidBmp(int width, int height, std::int32_t colour) {
    return BmpOf(std::vector<std::vector<std::int32_t>>(static_cast<std::size_t>(height),
                                                        std::vector<std::int32_t>(static_cast<std::size_t>(width), colour)));
}

// The colours a program starts with: the sprite key, and black for fonts.
void RestoreTransparentColours() {
    Gfx().spriteKey = kKeyColour;
    Gfx().fontKey = 0;
}

void Canvas::SetUp() {
    ASSERT_NE(Renderer(), nullptr);
    ASSERT_EQ(Renderer()->ready, 1);
    if (Renderer()->width != 640 || Renderer()->height != 480) OpenScreen(640, 480, 0);
    UseVirtualScreen(-1);
    RestoreTransparentColours();
    SetBlendAlpha(0);
    ClearBackBuffer();
    Renderer()->ResetView2D(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SelectFont(0);
    ClearErrorCode();
}

void Canvas::TearDown() {
    UseVirtualScreen(-1);
    RestoreTransparentColours();
    SetBlendAlpha(0);
    ClearBackBuffer();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

std::string Canvas::File(const std::string& name, const Bytes& bytes) {
    const std::string path = folder_ / name;
    StoreFile(path, bytes);
    return path;
}

void Canvas::LoadSprite(std::int32_t slot, const Bytes& bytes) {
    LoadSpriteImage(File("sprite" + std::to_string(slot) + ".bmp", bytes).c_str(), slot);
    ASSERT_EQ(GetErrorState().errorCode, 0);
}

}  // namespace zrv::test
