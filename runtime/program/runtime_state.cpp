#include "program/runtime_state.h"

#include "gfx2d/quad_batch.h"

namespace zrv {

RuntimeState& Runtime() noexcept {
    static RuntimeState state;
    return state;
}

ProjectSettings& Settings() noexcept { return Runtime().settings; }
RuntimeErrorState& Errors() noexcept { return Runtime().errors; }
RuntimeLogFile& LogFile() noexcept { return Runtime().log; }
RandomState& Random() noexcept { return Runtime().random; }

ClockState& Clock() noexcept { return Runtime().clock; }
FrameLoopFlags& Frame() noexcept { return Runtime().frame; }
std::int32_t& BreakPending() noexcept { return Runtime().breakPending; }
OpenGLLumivane* Renderer() noexcept {
    FlushQuadBatch();
    return Runtime().renderer.get();
}
OpenGLLumivane* RendererAsGathered() noexcept { return Runtime().renderer.get(); }
std::unique_ptr<OpenGLLumivane>& RendererSlot() noexcept { return Runtime().renderer; }
DisplayProcessState& DisplayProcess() noexcept { return Runtime().display; }
WindowHandle& MainWindow() noexcept { return Runtime().mainWindow; }
RtString& WindowTitle() noexcept { return Runtime().windowTitle; }

FilesState& Files() noexcept { return Runtime().files; }
Gfx2dState& Gfx() noexcept { return Runtime().gfx2d; }
AudioState& Audio() noexcept { return Runtime().audio; }
NetState& Net() noexcept { return Runtime().net; }
InputState* Input() noexcept { return Runtime().input.get(); }

}  // namespace zrv

ProjectSettings& GetProjectSettings() noexcept { return zrv::Runtime().settings; }

const RuntimeErrorState& GetErrorState() noexcept { return zrv::Runtime().errors; }

WindowHandle GetMainWindow() noexcept { return zrv::Runtime().mainWindow; }

RtString GetCommandLineText() { return zrv::Runtime().commandLineText; }
