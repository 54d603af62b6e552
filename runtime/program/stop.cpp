// The one way out of the process.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/fatal.h"
#include "platform/process.h"
#include "program/desktop.h"
#include "program/runtime_state.h"
#include "zorvane/program.h"

namespace {

[[noreturn]] void ExitProcess(int code = 0) {
    auto& runtime = zrv::Runtime();
    if (runtime.exiting) std::_Exit(code);  // a stop from a destructor while exit() runs
    runtime.exiting = true;
    // exit() runs the destructors of the global objects: channels closed, configuration
    // written back, process strings released.
    std::exit(code);
}

}  // namespace

void StopProgram() {
    auto& runtime = zrv::Runtime();
    if (runtime.exiting) std::_Exit(0);
    if (runtime.settings.debugMode != 0) {
        const RuntimeErrorState errors = runtime.errors;
        AppendLogLine("-End On Line");
        AppendLogLine(IntToText(errors.errorCode));
        AppendLogLine(IntToText(static_cast<std::int32_t>(static_cast<std::uint32_t>(errors.errorLine) - 1u)));
        AppendLogLine(IntToText(errors.currentLine));
        AppendLogLine(IntToText(errors.positionTag));
    }
    if (runtime.quitHookDone == 0) {
        runtime.quitHookDone = 1;
        CALLBYNAME("ZRV_ON_QUIT");
    }
    ShutdownRuntime();
    zrv::RepaintDesktop();
    ExitProcess();
}

namespace zrv {

void StopAtStartUp(const std::string& reason) {
    AppendLogLine(reason.c_str());
    std::fprintf(stderr, "%s\n", reason.c_str());
    std::fflush(stderr);
    ShutdownRuntime();
    ExitProcess(1);
}

}  // namespace zrv

void EndProgram() {
    auto& errors = zrv::Runtime().errors;
    errors.errorLine = errors.currentLine;
    errors.errorCode = 0;
    StopProgram();
}

void EndAndRun(const RtString& commandLine) {
    // Copied first: the text may belong to something shutdown releases.
    const std::string line = commandLine.Buffer() != nullptr ? commandLine.Buffer() : "";
    CALLBYNAME("ZRV_ON_QUIT");
    ShutdownRuntime();
    std::fflush(nullptr);
    zrv::StartProcess(line);
    ExitProcess();
}
