#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <thread>
#include <vector>

#include "platform/command_line.h"

extern char** environ;

namespace zrv {

ChildProcess StartProcess(const std::string& commandLine, bool /*shown*/) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) return kNoChild;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return kNoChild;
    return pid;
}

int WaitForExitCode(ChildProcess child) {
    const auto pid = static_cast<pid_t>(child);
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != pid) return 0;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 0;
}

void ReapWhenEnded(ChildProcess pid) {
    // One small thread per child, blocked in waitpid for that child alone: unlike a SIGCHLD
    // handler it changes nothing for the rest of the process, and children that others
    // wait for are left to them.
    try {
        std::thread([pid] { WaitForExitCode(pid); }).detach();
    } catch (const std::exception&) {
        // No thread to be had: the child stays a zombie until the process ends.
    }
}

}  // namespace zrv
