#include "picture_canvas.h"

#include <GL/gl.h>

#include <filesystem>

#include "core/random_state.h"
#include "display/opengl_lumivane.h"
#include "display/support/runtime_session.h"
#include "gfx2d/quad_batch.h"
#include "picture.h"
#include "player.h"
#include "shared.h"
#include "zorvane.h"

namespace player::test {

namespace {

bool& StartedHere() {
    static bool started = false;
    return started;
}

// The runtime is shut down at the end only when these tests started it.
class PictureSession : public ::testing::Environment {
public:
    void TearDown() override {
        if (StartedHere()) zrv::test::StopRuntimeSession();
    }
};

const auto* const session = ::testing::AddGlobalTestEnvironment(new PictureSession);

// The player's media as the build made them, beside the player's executable.
std::string PlayerMediaPath() {
    return (std::filesystem::path(ZRV_PLAYER_PATH).parent_path() / "player-media").string() + "/";
}

}  // namespace

int RgbImage::LitCount(int& left, int& top, int& right, int& bottom) const {
    int count = 0;
    left = width;
    top = height;
    right = -1;
    bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!Lit(x, y)) continue;
            ++count;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return count;
}

int RgbImage::LitCount() const {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    return LitCount(left, top, right, bottom);
}

RgbImage SpriteImage(std::int32_t slot) {
    RgbImage image;
    zrv::FlushQuadBatch();
    QuerySpriteSizeInt(slot, image.width, image.height);
    const auto texture = static_cast<GLuint>(QuerySpriteTextureId(slot));
    if (texture == 0 || image.width == 0) return image;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint texWidth = 0;
    GLint texHeight = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texHeight);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(texWidth) * texHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    // Grabbed images stand upside down in their texture, the top row last.
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = texels.data() + static_cast<std::size_t>(image.height - 1 - y) * texWidth * 3;
        std::copy_n(row, image.width * 3, image.rgb.begin() + static_cast<std::ptrdiff_t>(y) * image.width * 3);
    }
    return image;
}

RgbImage BackBuffer(int x, int y, int width, int height) {
    RgbImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    std::vector<std::uint8_t> bottomUp(image.rgb.size());
    zrv::FlushQuadBatch();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, zrv::Renderer()->height - y - height, width, height, GL_RGB, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int r = 0; r < height; ++r) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(r * row), row,
                    image.rgb.begin() + static_cast<std::ptrdiff_t>((height - 1 - r) * row));
    }
    return image;
}

void PictureCanvas::SetUpTestSuite() {
    if (zrv::Renderer() == nullptr) {
        zrv::test::StartRuntimeSession("Zorvane picture test");
        StartedHere() = true;
        SetAutoPause(0);
    }
    // Whatever other suites of this process left in the player's shared variables.
    StartPlayer();
}

void PictureCanvas::SetUp() {
    ASSERT_NE(zrv::Renderer(), nullptr);
    ASSERT_EQ(zrv::Renderer()->width, 640);
    ASSERT_EQ(zrv::Renderer()->height, 200);
    picture = PictureState{};
    shared.musicPlaying = 0;
    shared.mediaPath = PlayerMediaPath().c_str();
    // As a fresh start-up with ZRV_RANDOM_SEED set leaves the generator.
    zrv::Random() = zrv::RandomState{};
    SeedRandom(kSeed);
    // No picture from an earlier test stays in the preview's sprite or the cube's.
    LoadSpriteImage("", kPictureSprite);
    LoadSpriteImage("", kCubeSprite);
    SetBlendAlpha(0);
    ClearBackBuffer();
}

void PictureCanvas::TearDown() {
    SetBlendAlpha(0);
    ClearBackBuffer();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

void PictureCanvas::PictureFrame() {
    UpdatePicture();
    UpdateTileEffect();
}

void PictureCanvas::PictureFrames(int count) {
    for (int i = 0; i < count; ++i) PictureFrame();
}

}  // namespace player::test
