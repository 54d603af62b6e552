#include "audio/ffmpeg_library.h"

#include <atomic>
#include <mutex>

namespace zrv {

namespace {

FfmpegFunctions functions;
std::atomic<bool> loaded{false};

}  // namespace

bool LoadFfmpeg() noexcept {
    static std::once_flag once;
    std::call_once(once, [] { loaded = BindFfmpeg(functions); });
    return loaded;
}

bool FfmpegLoaded() noexcept { return loaded; }

const FfmpegFunctions& Av() noexcept { return functions; }

}  // namespace zrv
