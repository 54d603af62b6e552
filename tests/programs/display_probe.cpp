// A windowed program that the display and input tests start as a child and drive from
// outside through the X server. ZRV_PROBE chooses: "end" returns at once, "loop" (the
// default) runs frames for 20 s. What it observes goes to standard output.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../support/probe_io.h"
#include "zorvane.h"

namespace {

using zrv::test::Env;
using zrv::test::Say;

double OnQuit() {
    Say("quit hook");
    return 0;
}

}  // namespace

void ApplyProjectSettings() { GetProjectSettings().title = Env("ZRV_TITLE", "Zorvane probe").c_str(); }

void ProgramMain() {
    Say("main");
    if (Env("ZRV_PROBE", "loop") == "end") return;
    if (Env("ZRV_ESCAPE_QUITS", "1") == "0") SetEscapeQuits(0);
    Say("ready");
    bool escapeSeen = false;
    for (const double start = ReadClockMs(); ReadClockMs() - start < 20000;) {
        PresentFrame();
        if (!escapeSeen && IsKeyDown(1) != 0) {
            escapeSeen = true;
            Say("escape seen");
        }
    }
    Say("timeout");
}

const FunctionNameEntry FunctionNameTable[] = {
    {OnQuit, "ZRV_ON_QUIT"},
    {nullptr, nullptr},
};
