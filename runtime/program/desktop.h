// What the desktop around the program's window needs once the window is gone.
#pragma once

namespace zrv {

// Has the whole desktop repainted, so nothing of a vanished window or of a changed display
// mode stays on the screen. Windows only; other desktops repaint by themselves.
void RepaintDesktop() noexcept;

}  // namespace zrv
