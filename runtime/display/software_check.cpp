#include "display/software_check.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

#include "display/opengl_lumivane.h"

namespace zrv {

namespace {

constexpr const char* kCaption = "!!OpenGL Software Emulation!!";
constexpr const char* kText =
    "Please update your GFX adapter's driver\n"
    "so it can render OpenGL by HARDWARE\n"
    "\n"
    "\n"
    "Bitte aktualisieren Sie Ihren\n"
    "Grafkkartentreiber, damit er OpenGL\n"
    "per HARDWARE unterst\xC3\xBCtzt!";

// The box blocks until somebody dismisses it; unattended runs (tests, CI) turn it off.
bool BoxSuppressed() {
    const char* value = std::getenv("ZRV_NO_WARNING_BOX");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

bool IsSoftwareRenderer(const char* rendererName) noexcept {
    if (rendererName == nullptr) return false;
    if (std::strcmp(rendererName, "Mesa Windows GDI Driver") == 0) return true;
    for (const char* marker : {"llvmpipe", "softpipe", "Software Rasterizer"}) {
        if (std::strstr(rendererName, marker) != nullptr) return true;
    }
    return false;
}

void WarnAboutSoftwareRenderer() {
    auto& display = DisplayProcess();
    if (display.softwareWarned) return;
    if (!display.rendererNameFetched) {
        // Without a current context there is nothing to describe yet; try again next time.
        const auto* name = glGetString(GL_RENDERER);
        if (name == nullptr) return;
        display.rendererName = reinterpret_cast<const char*>(name);
        display.rendererNameFetched = true;
    }
    if (!IsSoftwareRenderer(display.rendererName.c_str())) return;
    display.softwareWarned = true;
    if (!BoxSuppressed()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kCaption, kText, nullptr);
    AppendLogLine("OpenGL Software Emulation");
}

}  // namespace zrv
