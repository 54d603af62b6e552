#include <windows.h>

#include "program/debugger.h"

namespace zrv {

bool DebuggerAttached() { return IsDebuggerPresent() != FALSE; }

void SendToDebugger(const std::string& text) { OutputDebugStringA(text.c_str()); }

}  // namespace zrv
