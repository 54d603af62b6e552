// Process start, start-up and shutdown of the runtime.
#include <string>
#include <vector>

#include "core/runtime_log.h"
#include "core/runtime_state.h"
#include "platform/command_line.h"
#include "platform/paths.h"
#include "zorvane/clock.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"

namespace {

constexpr std::int32_t kShowNormal = 1;

void StampFrameClocks() {
    auto& clock = zrv::Runtime().clock;
    clock.startStamp = clock.thisFrameStamp = clock.lastFrameStamp = ReadClockMs();
}

}  // namespace

void RuntimeMain(int argc, char** argv) {
    auto& runtime = zrv::Runtime();
    runtime.commandLineText = zrv::JoinCommandLine(std::vector<std::string>(argv, argv + argc)).c_str();
    ApplyProjectSettings();
    StartRuntime(kShowNormal, runtime.settings.title);
    runtime.errors.errorLine = 0;
    runtime.errors.errorCode = 0;
    runtime.errors.currentLine = 0;
    ProgramMain();
    EndProgram();
}

std::int32_t StartRuntime(std::int32_t showCommand, const RtString& title) {
    auto& runtime = zrv::Runtime();
    zrv::DeleteLog();
    runtime.frame.autoPause = 1;
    InitClock();
    AppendLogLine("Init GFX");

    // The renderer with the window and its OpenGL context comes here, sized by the project
    // settings; when it cannot be created start-up ends at this point.
    runtime.titleText = title;
    runtime.windowTitle = title;

    SeedRandom(TruncateToInt32(ElapsedMs()));

    // Then, in this order: the network state, the 3D scene, the input state and the sound
    // device with its slot table; the configured display mode; input and sound bound to
    // the window; both media resolvers pointed at the executable.

    // Programs start in their executable's folder, wherever they were started from.
    zrv::EnterExecutableDirectory();

    // The rest of the graphics start-up (first present, 2D view, "Loading...", the
    // start-up font, cursor) joins here; the frame clocks are stamped in any case.
    StampFrameClocks();
    (void)showCommand;  // a hidden start hides the window once there is one

    AppendLogLine("Init Finalized");
    return 0;
}

void ShutdownRuntime() {
    auto& runtime = zrv::Runtime();
    AppendLogLine("Shut down ZRV");
    // Music, the eight file channels and the network layer are closed here, in this order.
    zrv::EnterExecutableDirectory();
    // Input, sound and the renderer are destroyed here, then the media resolvers released.
    runtime.mainWindow = nullptr;
}
