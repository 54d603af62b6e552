// A user program whose behaviour the process tests choose through ZRV_PROBE; what it
// observes goes to standard output, one fact per line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "../support/probe_io.h"
#include "zorvane.h"

namespace {

using zrv::test::Env;
using zrv::test::Say;

std::string Probe() { return Env("ZRV_PROBE", "end"); }

int hookCalls = 0;

double OnQuit() {
    ++hookCalls;
    Say("quit hook " + std::to_string(hookCalls));
    if (Probe() == "hook_stop") StopProgram();
    return 0;
}

// Runs at exit: proves that the process ends through exit() with global destructors.
struct ExitMarker {
    ~ExitMarker() {
        if (const char* path = std::getenv("ZRV_EXIT_MARKER")) std::ofstream(path) << "destroyed";
    }
} exitMarker;

}  // namespace

void ApplyProjectSettings() {
    if (const char* debug = std::getenv("ZRV_DEBUG_MODE")) GetProjectSettings().debugMode = std::atoi(debug);
}

void ProgramMain() {
    char cwd[4096];
    Say(std::string("cwd ") + (getcwd(cwd, sizeof cwd) ? cwd : "?"));
    const std::string probe = Probe();
    if (probe == "end" || probe == "hook_stop") return;
    if (probe == "index") {
        RtNumberArray values;
        DimArray(values, 5);
        SetSourcePosition(3, 42);
        Say("reading element 5");
        values(5) = 1;
        Say("not reached");
    } else if (probe == "assert") {
        CheckAssertion(0);
        Say("assert 0 passed");
        CheckAssertion(5);
        Say("not reached");
    } else if (probe == "callbyname") {
        Say("missing " + std::to_string(static_cast<int>(CALLBYNAME("NO_SUCH_FUNCTION"))));
        Say("lower case " + std::to_string(static_cast<int>(CALLBYNAME("zrv_on_quit"))));
        Say("message hook " + std::to_string(static_cast<int>(CALLBYNAME("ZRV_WIN32_MSG"))));
        DebugPrint("hello debugger");
    } else if (probe == "break") {
        Say("break " + std::to_string(BreakToDebugger(255)));
        Say("break -1 " + std::to_string(BreakToDebugger(-1)));
    } else if (probe == "cmdline") {
        Say(std::string("cmdline ") + GetCommandLineText().c_str());
        std::string words = "args " + std::to_string(ProgramArgumentCount());
        for (std::int32_t n = -1; n <= ProgramArgumentCount() + 1; ++n) words += std::string(" [") + ProgramArgument(n).c_str() + "]";
        Say(words);
    } else if (probe == "endandrun") {
        EndAndRun(std::getenv("ZRV_RUN_LINE"));
    } else if (probe == "random") {
        std::string numbers = "random";
        for (int i = 0; i < 8; ++i) {
            numbers += ' ';
            numbers += std::to_string(RandomInt(1000000));
        }
        Say(numbers);
    } else if (probe == "end_with_error") {
        SetErrorCode(3);
        Say(GetErrorText().c_str());
        StopProgram();
    }
}

const FunctionNameEntry FunctionNameTable[] = {
    {OnQuit, "ZRV_ON_QUIT"},
    {nullptr, nullptr},
};
