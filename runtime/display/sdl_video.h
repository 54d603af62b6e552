// The video subsystem of SDL: what stands in for the window class of the process.
#pragma once

namespace zrv {

// Starts SDL's video subsystem (one more reference when it runs already); false when the
// machine has no display to open. It runs until the process ends.
bool StartVideo();
bool VideoRunning();

}  // namespace zrv
