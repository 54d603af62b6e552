// The 2D drawing state: one unit per pixel, origin at the top left of the view.
#include <GL/gl.h>

#include <initializer_list>

#include "display/opengl_lumivane.h"
#include "gfx2d/quad_batch.h"

namespace zrv {

void OpenGLLumivane::ResetView2D(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (w <= 0 || h <= 0) {
        w = width;
        h = height;
    }
    viewX = x;
    viewY = y;
    viewWidth = w;
    viewHeight = h;
    if (context == nullptr) return;
    // Gathered draws belong to the view they were gathered in.
    FlushQuadBatch();

    // OpenGL counts rows from the bottom; the program counts them from the top.
    glViewport(x, height - h - y, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.05f);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 1);
    for (GLenum capability : {GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_STENCIL_TEST,
                              GL_NORMALIZE, GL_LIGHTING, GL_COLOR_MATERIAL, GL_DITHER,
                              GL_POLYGON_SMOOTH, GL_POLYGON_OFFSET_POINT, GL_AUTO_NORMAL}) {
        glDisable(capability);
    }
    glShadeModel(GL_FLAT);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);

    smoothing = 1;
    // The next sprite binds its texture again instead of trusting a stale binding.
    boundTexture = 0;
}

}  // namespace zrv
