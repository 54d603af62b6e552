// The video subsystem of SDL: what stands in for the window class of the process.
#pragma once

#include <string>

namespace zrv {

// Starts SDL's video subsystem (one more reference when it runs already); false when the
// machine has no display to open, or a run without a window was asked for. It runs until
// the process ends.
bool StartVideo();
// ZRV_NO_WINDOW set (and not "0") in the environment: the program runs without a window
// and without trying to open one, as the tests of the non-graphical commands run them.
// Without it a window that cannot be opened ends the program at start-up.
bool WindowlessRun();
// The video drivers SDL may take, in order, as its driver hint lists them.
std::string VideoDrivers();

}  // namespace zrv
