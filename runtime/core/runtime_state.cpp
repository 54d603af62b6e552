#include "core/runtime_state.h"

namespace zrv {

RuntimeState& Runtime() noexcept {
    static RuntimeState state;
    return state;
}

}  // namespace zrv

ProjectSettings& GetProjectSettings() noexcept { return zrv::Runtime().settings; }

const RuntimeErrorState& GetErrorState() noexcept { return zrv::Runtime().errors; }

WindowHandle GetMainWindow() noexcept { return zrv::Runtime().mainWindow; }

RtString GetCommandLineText() { return zrv::Runtime().commandLineText; }
