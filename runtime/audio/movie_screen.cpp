#include "audio/movie_screen.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <initializer_list>

namespace zrv {

PixelRect MovieDestination(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t clientWidth,
                           std::int32_t clientHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0) return {};
    const double scale = std::min(static_cast<double>(clientWidth) / sourceWidth,
                                  static_cast<double>(clientHeight) / sourceHeight);
    PixelRect rect{0, 0, static_cast<std::int32_t>(scale * sourceWidth), static_cast<std::int32_t>(scale * sourceHeight)};
    const std::int32_t dx = (clientWidth - rect.right) / 2;
    const std::int32_t dy = (clientHeight - rect.bottom) / 2;
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

MovieScreen::~MovieScreen() {
    if (texture_ != 0) glDeleteTextures(1, &texture_);
}

void MovieScreen::Upload(const VideoFrame& picture) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    if (texture_ == 0) glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    if (picture.width != textureWidth_ || picture.height != textureHeight_) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, picture.width, picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     picture.rgba.data());
        textureWidth_ = picture.width;
        textureHeight_ = picture.height;
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE,
                        picture.rgba.data());
    }
}

void MovieScreen::Show(const VideoFrame& picture, const PixelRect& destination) {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, width, height);
    for (GLenum capability : {GL_DEPTH_TEST, GL_CULL_FACE, GL_ALPHA_TEST, GL_BLEND, GL_LIGHTING, GL_FOG,
                              GL_SCISSOR_TEST, GL_STENCIL_TEST}) {
        glDisable(capability);
    }
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    Upload(picture);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    // The picture's rows come top first, as the window's rows are counted here.
    glTexCoord2f(0, 0);
    glVertex2i(destination.left, destination.top);
    glTexCoord2f(0, 1);
    glVertex2i(destination.left, destination.bottom);
    glTexCoord2f(1, 1);
    glVertex2i(destination.right, destination.bottom);
    glTexCoord2f(1, 0);
    glVertex2i(destination.right, destination.top);
    glEnd();

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
    SDL_GL_SwapWindow(window_);
}

}  // namespace zrv
