// Virtual screens: drawing into a sprite slot through a framebuffer object, or, where the
// driver has none, on the screen's top-left corner copied into the slot afterwards.
#pragma once

namespace zrv {

// Returns drawing to the screen (a copy-based target is grabbed into its slot first) and
// resets the 2D view. Nothing happens while no target is active.
void LeaveActiveTarget();
// Deletes every framebuffer object (the display goes away).
void ReleaseVirtualScreens();

}  // namespace zrv
