#include <vector>

#include "platform/command_line.h"

namespace zrv {

std::string ProcessCommandLine(int argc, char** argv) {
    return JoinCommandLine(std::vector<std::string>(argv, argv + argc));
}

}  // namespace zrv
