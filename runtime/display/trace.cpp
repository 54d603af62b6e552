#include "display/trace.h"

#include <cstdio>

namespace zrv {

void Trace(const char* line) {
    std::printf("%s\n", line);
    // Flushed at once: a program that crashes later still shows how far start-up got.
    std::fflush(stdout);
}

}  // namespace zrv
