// Running other programs from the program's command lines.
#include <new>

#include "platform/process.h"
#include "zorvane/platform.h"

double RunShellCommand(const RtString& commandLine, double wait, double show, double& exitCode) {
    exitCode = 0;
    zrv::ChildProcess child = zrv::kNoChild;
    try {
        child = zrv::StartProcess(commandLine.c_str(), show != 0);
    } catch (const std::bad_alloc&) {
        // No memory for the arguments: nothing was started.
    }
    if (child == zrv::kNoChild) return 0;
    if (wait != 0) {
        exitCode = zrv::WaitForExitCode(child);
    } else {
        zrv::ReapWhenEnded(child);
    }
    return 1;
}
