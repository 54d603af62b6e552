// The display's part of start-up and of the debugger break.
#pragma once

#include <cstdint>

#include "zorvane/rt_string.h"

namespace zrv {

enum class DisplayStart {
    ready,     // window and context exist
    headless,  // the machine has no display: the program runs without a window
    failed,    // a display exists but the window could not be made
};

// Constructs the renderer, opens its window with the project's settings and makes it the
// main window with the given title.
DisplayStart CreateMainDisplay(const RtString& title);
// Fullscreen or windowed, as the project asks.
void EnterConfiguredDisplayMode();
// The first cleared and presented frame, the 2D view, the cursor and the frame clocks;
// showCommand 0 starts hidden.
void FinishGraphicsStartup(std::int32_t showCommand);
void StampFrameClocks();
void HideMainWindow();

}  // namespace zrv
