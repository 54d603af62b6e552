#include "display/support/runtime_session.h"

#include <stdlib.h>
#include <time.h>

#include <memory>

#include "display/opengl_lumivane.h"
#include "display/window_events.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "zorvane/clock.h"
#include "zorvane/program.h"

namespace zrv::test {

namespace {

std::unique_ptr<TempDir>& Folder() {
    static std::unique_ptr<TempDir> folder;
    return folder;
}

}  // namespace

void StartRuntimeSession(const char* title) {
    Folder() = std::make_unique<TempDir>();
    // The runtime's temporary folder: TMPDIR names it on POSIX systems, TMP on Windows.
    SetEnv("TMPDIR", Folder()->Path().c_str());
    SetEnv("TMP", Folder()->Path().c_str());
    StartRuntime(1, title);
}

void StopRuntimeSession() { ShutdownRuntime(); }

const std::string& SessionLogFolder() { return Folder()->Path(); }

void PumpRuntime() {
    if (auto* renderer = Renderer()) renderer->PumpMessages(LookUpMessageHook());
}

bool Eventually(bool (*condition)(void*), void* context, double seconds) {
    const double deadline = ReadClockMs() + seconds * 1000;
    for (;;) {
        if (condition(context)) return true;
        if (ReadClockMs() > deadline) return false;
        PumpRuntime();
        SleepMs(5);
    }
}

}  // namespace zrv::test
