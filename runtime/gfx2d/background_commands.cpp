// The background commands: layer 0 from the screen or from a file, and the cross-fade.
#include <GL/gl.h>

#include "display/opengl_lumivane.h"
#include "gfx2d/background_layers.h"
#include "gfx2d/gl_draw.h"
#include "gfx2d/sprite_slots.h"
#include "zorvane/clock.h"
#include "zorvane/display.h"
#include "zorvane/gfx2d.h"
#include "zorvane/program.h"

namespace zrv {

namespace {

constexpr double kFadeMs = 1500;
constexpr std::int32_t kFadeFrom = 2;
constexpr std::int32_t kFadeTo = 1;

// Loads the file into the layer; on failure the layer stays empty, the colour buffer is
// cleared and the error code is 3.
bool LoadLayerOrClear(std::int32_t layer, const std::string& usable) {
    if (LoadLayerImage(layer, usable)) return true;
    EmptyLayer(layer);
    if (DrawingRenderer() != nullptr) glClear(GL_COLOR_BUFFER_BIT);
    SetErrorCode(kErrorNoSuchFile);
    return false;
}

}  // namespace

}  // namespace zrv

void GrabScreenToBackground() {
    if (zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer()) zrv::GrabScreenIntoLayer(*renderer, 0);
}

void LoadBackgroundImage(const RtString& fileName) {
    SetErrorCode(0);
    std::string usable;
    if (!zrv::ResolveImageName(fileName.c_str(), usable)) usable.clear();
    if (!zrv::LoadLayerOrClear(0, usable)) return;
    if (zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer()) zrv::DrawLayer(*renderer, 0);
}

void LoadBackgroundFaded(const RtString& fileName) {
    SetErrorCode(0);
    std::string usable;
    if (!zrv::ResolveImageName(fileName.c_str(), usable)) {
        SetErrorCode(kErrorNoSuchFile);
        return;
    }
    zrv::OpenGLLumivane* renderer = zrv::DrawingRenderer();
    if (renderer != nullptr) zrv::GrabScreenIntoLayer(*renderer, zrv::kFadeFrom);
    zrv::LoadLayerImage(zrv::kFadeTo, usable);
    zrv::EmptyLayer(0);
    if (renderer != nullptr) {
        glClear(GL_COLOR_BUFFER_BIT);
        const double end = ElapsedMs() + zrv::kFadeMs;
        double f = 0.9;
        do {
            // Each frame's drawing state is reset by the frame call; the fade sets its own.
            if ((renderer = zrv::DrawingRenderer()) == nullptr) break;
            SetBlendAlpha(f);
            zrv::DrawLayer(*renderer, zrv::kFadeFrom);
            SetBlendAlpha(1 - f);
            zrv::DrawLayer(*renderer, zrv::kFadeTo);
            PresentFrame();
            f = (end - ElapsedMs()) / zrv::kFadeMs;
        } while (f > 0 && f < 1);
    }
    zrv::EmptyLayer(zrv::kFadeTo);
    zrv::EmptyLayer(zrv::kFadeFrom);
    // The resolver may have handed out a memory file that a later lookup released: the
    // name is resolved again.
    if (!zrv::ResolveImageName(fileName.c_str(), usable)) usable.clear();
    if (!zrv::LoadLayerOrClear(0, usable)) return;
    renderer = zrv::DrawingRenderer();
    if (renderer == nullptr) return;
    SetBlendAlpha(0);
    glColor4f(1, 1, 1, 1);
    zrv::DrawLayer(*renderer, 0);
    PresentFrame();
}
