#include "program/desktop.h"

namespace zrv {

void RepaintDesktop() noexcept {}

}  // namespace zrv
