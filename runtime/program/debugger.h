// The debugger side of the runtime: text and break requests go to an attached tracer.
#pragma once

#include <string>

namespace zrv {

bool DebuggerAttached();
// Sends the bytes as they are (no prefix) to the debugger output: standard error on
// POSIX, the system's debugger output on Windows.
void SendToDebugger(const std::string& text);

}  // namespace zrv
