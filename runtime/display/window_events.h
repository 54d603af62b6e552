// The window procedure: what the runtime does with each event of its window.
#pragma once

#include <SDL2/SDL_events.h>

#include "display/opengl_lumivane.h"

namespace zrv {

void HandleWindowEvent(const SDL_Event& event);

// "ZRV_WIN32_MSG" from the program's name table, looked up once per process.
MessageHook LookUpMessageHook();

}  // namespace zrv
