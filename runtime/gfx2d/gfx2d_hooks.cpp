#include "gfx2d/gfx2d_hooks.h"

#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/background_layers.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/installed_font.h"
#include "gfx2d/presented_frame.h"
#include "gfx2d/quad_batch.h"
#include "gfx2d/sprite_slots.h"
#include "gfx2d/virtual_screens.h"
#include "zorvane/display.h"
#include "zorvane/text.h"

namespace zrv {

namespace {

constexpr const char* kLoadingText = "Loading...";
constexpr const char* kDefaultFont = "smalfont.png";
constexpr const char* kDefaultFontFallback = "smalfont.bmp";

}  // namespace

void ReleaseGfx2dResources(OpenGLLumivane& renderer) {
    // The renderer may already be on its way out of the runtime state: its context is
    // used directly rather than looked up.
    Gfx2dState& gfx = Gfx();
    // What was gathered was meant for the back buffer that goes away with the display.
    DropQuadBatch();
    auto release = [](std::uint32_t& texture) {
        if (texture == 0) return;
        const GLuint name = texture;
        glDeleteTextures(1, &name);
        texture = 0;
    };
    gfx.sprites.ForEachMade([&](SpriteRecord& sprite) {
        release(sprite.texture);
        release(sprite.mipTexture);
        const std::int32_t frameWidth = sprite.frameWidth;
        const std::int32_t frameHeight = sprite.frameHeight;
        sprite = SpriteRecord{};
        sprite.frameWidth = frameWidth;
        sprite.frameHeight = frameHeight;
    });
    for (BackgroundLayer& layer : gfx.layers) {
        for (LayerTile& tile : layer.tiles) release(tile.texture);
        layer = BackgroundLayer{};
    }
    ReleaseVirtualScreens();
    release(gfx.presented.texture);
    gfx.presented = PresentedFrame{};
    gfx.keyProbe = KeyProbe{};
    renderer.boundTexture = 0;
}

void PrepareSwap() {
    // A message hook may have drawn since the frame call took the renderer.
    FlushQuadBatch();
    if (Gfx().activeTarget >= 0) LeaveActiveTarget();
    if (!KeepingPresentedFrames()) return;
    if (OpenGLLumivane* renderer = DrawingRenderer()) KeepPresentedFrame(*renderer);
}

void DrawBackdrop(OpenGLLumivane& renderer) {
    if (DrawingRenderer() != nullptr) DrawLayer(renderer, 0);
}

void LoadStartupFonts() {
    OpenGLLumivane* renderer = Renderer();
    if (renderer == nullptr) return;
    // An empty name never loads: slot 0 gets the built-in font.
    LoadBitmapFont("", 0);
    std::int32_t cw = 0;
    std::int32_t ch = 0;
    QueryFontSizeInt(cw, ch);
    const auto length = static_cast<std::int32_t>(RtString(kLoadingText).Length());
    DrawText(kLoadingText, (renderer->width - length * cw) / 2, (renderer->height - ch) / 2);
    PresentFrame();

    std::string usable;
    std::string installed;
    if (ResolveImageName(kDefaultFont, usable)) {
        LoadBitmapFont(kDefaultFont, 0);
    } else if (!ResolveImageName(kDefaultFontFallback, usable) && !(installed = InstalledFontPath()).empty()) {
        LoadBitmapFont(installed.c_str(), 0);
    } else {
        LoadBitmapFont(kDefaultFontFallback, 0);
    }
    SelectFont(0);
}

}  // namespace zrv
