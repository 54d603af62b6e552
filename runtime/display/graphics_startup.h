// The display's part of start-up and of the debugger break.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

namespace zrv {

enum class DisplayStart {
    ready,     // window and context exist
    headless,  // a run without a window was asked for (ZRV_NO_WINDOW)
};

// Constructs the renderer, opens its window with the project's settings and makes it the
// main window with the given title. A window that cannot be opened ends the process.
DisplayStart StartDisplay(const RtString& title);
// Fullscreen or windowed, as the project asks.
void StartDisplayMode();
// The first cleared and presented frame, the 2D view, the cursor and the frame clocks;
// showCommand 0 starts hidden.
void StartFirstFrame(std::int32_t showCommand);
void StampFrameClocks();
void HideMainWindow();

}  // namespace zrv
