#include "platform/process.h"

#include <spawn.h>
#include <unistd.h>

#include <vector>

#include "platform/command_line.h"

extern char** environ;

namespace zrv {

pid_t StartProcess(const std::string& commandLine) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) return -1;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

}  // namespace zrv
