#include "display/heap_return.h"

#include <malloc.h>

namespace zrv {

void HeapReturn::AtFrame(double nowMs) {
    // A clock that went back starts the count again.
    if (lastMs_ < 0 || nowMs < lastMs_) {
        lastMs_ = nowMs;
        return;
    }
    if (nowMs - lastMs_ < kPeriodMs) return;
    lastMs_ = nowMs;
    malloc_trim(0);
}

}  // namespace zrv
