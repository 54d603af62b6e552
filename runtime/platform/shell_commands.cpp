// Running other programs from the program's command lines.
#include "platform/process.h"
#include "zorvane/platform.h"

double RunShellCommand(const RtString& commandLine, double wait, double /*show*/, double& exitCode) {
    exitCode = 0;
    const pid_t child = zrv::StartProcess(commandLine.c_str());
    if (child < 0) return 0;
    if (wait != 0) {
        exitCode = zrv::WaitForExitCode(child);
    } else {
        zrv::ReapWhenEnded(child);
    }
    return 1;
}
