// Diagnostic trace lines of the graphics start-up: standard output, one per line.
#pragma once

namespace zrv {

void Trace(const char* line);

}  // namespace zrv
