// Running other programs from the program's command lines.
#include <new>

#include "platform/process.h"
#include "zorvane/platform.h"

double RunShellCommand(const RtString& commandLine, double wait, double /*show*/, double& exitCode) {
    exitCode = 0;
    pid_t child = -1;
    try {
        child = zrv::StartProcess(commandLine.c_str());
    } catch (const std::bad_alloc&) {
        // No memory for the arguments: nothing was started.
    }
    if (child < 0) return 0;
    if (wait != 0) {
        exitCode = zrv::WaitForExitCode(child);
    } else {
        zrv::ReapWhenEnded(child);
    }
    return 1;
}
