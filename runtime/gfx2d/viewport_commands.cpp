// The view the program draws into.
#include "display/opengl_lumivane.h"
#include "zorvane/gfx2d.h"

void SetViewport(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    // The view is a plain 2D projection of the rectangle; no other pass uses the old one.
    if (zrv::OpenGLLumivane* renderer = zrv::Renderer()) renderer->ResetView2D(x, y, width, height);
}

void QueryViewport(double& x, double& y, double& width, double& height) {
    std::int32_t ix = 0, iy = 0, iw = 0, ih = 0;
    QueryViewportInt(ix, iy, iw, ih);
    x = ix;
    y = iy;
    width = iw;
    height = ih;
}

void QueryViewportInt(std::int32_t& x, std::int32_t& y, std::int32_t& width, std::int32_t& height) {
    const zrv::OpenGLLumivane* renderer = zrv::Renderer();
    x = renderer != nullptr ? renderer->viewX : 0;
    y = renderer != nullptr ? renderer->viewY : 0;
    width = renderer != nullptr ? renderer->viewWidth : 0;
    height = renderer != nullptr ? renderer->viewHeight : 0;
}
