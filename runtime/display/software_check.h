// The one-time warning when OpenGL is rendered by the processor instead of the graphics
// adapter.
#pragma once

namespace zrv {

// By the driver's renderer string: Mesa's software rasterisers, or exactly the name of
// the generic driver of the older platform.
bool IsSoftwareRenderer(const char* rendererName) noexcept;

// Needs a current context. At most once per process: the warning box (unless
// ZRV_NO_WARNING_BOX is set) and the log line "OpenGL Software Emulation".
void WarnAboutSoftwareRenderer();

}  // namespace zrv
