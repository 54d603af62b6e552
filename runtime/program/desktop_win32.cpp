#include <windows.h>

#include "program/desktop.h"

namespace zrv {

void RepaintDesktop() noexcept { InvalidateRect(nullptr, nullptr, TRUE); }

}  // namespace zrv
