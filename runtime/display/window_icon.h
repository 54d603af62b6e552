// The class icon: the project's own picture, built into the executable, on every window
// the runtime creates.
#pragma once

struct SDL_Window;

namespace zrv {

void SetClassIcon(SDL_Window* window);

}  // namespace zrv
