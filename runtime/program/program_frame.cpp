// Process start, start-up and shutdown of the runtime.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "audio/audio_runtime.h"
#include "core/runtime_log.h"
#include "display/graphics_startup.h"
#include "files/channel_table.h"
#include "files/media_resolver.h"
#include "net/socket_table.h"
#include "platform/command_line.h"
#include "platform/media_controls_state.h"
#include "platform/paths.h"
#include "program/display_deadline.h"
#include "program/runtime_state.h"
#include "zorvane/clock.h"
#include "zorvane/files.h"
#include "zorvane/maths.h"
#include "zorvane/program.h"

namespace {

constexpr std::int32_t kShowNormal = 1;

// ZRV_RANDOM_SEED holding a whole decimal number in the int32 range replaces the clock as
// the start-up seed, so that a run can be repeated; anything else leaves the clock.
std::int32_t StartUpSeed() {
    const char* text = std::getenv("ZRV_RANDOM_SEED");
    if (text != nullptr && *text != '\0') {
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(text, &end, 10);
        if (errno == 0 && *end == '\0' && value >= INT32_MIN && value <= INT32_MAX) {
            return static_cast<std::int32_t>(value);
        }
    }
    return TruncateToInt32(ElapsedMs());
}

}  // namespace

void RuntimeMain(int argc, char** argv) {
    auto& runtime = zrv::Runtime();
    runtime.commandLineText = zrv::ProcessCommandLine(argc, argv).c_str();
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
    zrv::StartFreshLog();
    runtime.frame.autoPause = 1;
    InitClock();
    AppendLogLine("Init GFX");

    // A window that cannot be made ends the process there; only a run asked to go without
    // one continues without it.
    zrv::DisplayStart display = zrv::DisplayStart::headless;
    {
        const zrv::DisplayDeadline deadline;
        display = zrv::StartDisplay(title);
    }
    const bool windowed = display == zrv::DisplayStart::ready;
    runtime.titleText = title;
    runtime.windowTitle = title;

    SeedRandom(StartUpSeed());

    zrv::StartNet();
    // Start-up makes no scene object: the runtime draws in 2D only.
    if (windowed) runtime.input = std::make_unique<zrv::InputState>();
    // The sound device is opened with the window (below); its slot table comes now.
    zrv::StartSoundSlots();
    {
        const zrv::DisplayDeadline deadline;
        zrv::StartDisplayMode();
        if (windowed) zrv::StartInput(*runtime.input, runtime.renderer->window, runtime.settings.pointerHidden != 0);
    }
    zrv::StartSound(runtime.mainWindow);
    // Then both media resolvers are pointed at the executable.
    zrv::StartMediaResolvers();

    // Programs start in their executable's folder, wherever they were started from; the
    // folder they were started from stays known to them.
    if (runtime.files.startDirectory.IsEmpty()) runtime.files.startDirectory = ReadCurrentDir();
    zrv::EnterExecutableDirectory();

    {
        const zrv::DisplayDeadline deadline;
        zrv::StartFirstFrame(showCommand);
    }

    AppendLogLine("Init Finalized");
    return 0;
}

void ShutdownRuntime() {
    auto& runtime = zrv::Runtime();
    AppendLogLine("Shut down ZRV");
    // Music first, then the eight file channels, then the network layer.
    zrv::StopMusicPlayer();
    zrv::StopChannels();
    zrv::StopNet();
    zrv::StopMediaControls();
    zrv::EnterExecutableDirectory();
    runtime.input.reset();
    zrv::StopSoundSlots();
    zrv::StopSound();
    runtime.renderer.reset();
    zrv::StopMediaResolvers();
    runtime.mainWindow = nullptr;
}
