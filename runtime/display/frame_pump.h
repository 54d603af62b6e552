// One pass over the window's waiting events with the program's message hook, for the
// frame call and the commands that wait.
#pragma once

namespace zrv {

void PumpWithHook();

}  // namespace zrv
