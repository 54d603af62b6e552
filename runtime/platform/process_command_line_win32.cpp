#include <windows.h>

#include "platform/command_line.h"

namespace zrv {

std::string ProcessCommandLine(int /*argc*/, char** /*argv*/) {
    // Exactly as the program was started, quotes and all: the arguments main() received
    // have already been split from it by the C library.
    const char* line = GetCommandLineA();
    return line != nullptr ? line : "";
}

}  // namespace zrv
