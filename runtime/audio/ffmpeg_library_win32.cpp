// FFmpeg is linked into Windows programs: the table holds the functions' own addresses,
// and there is nothing to open or to miss.
#include "audio/ffmpeg_library.h"

namespace zrv {

bool BindFfmpeg(FfmpegFunctions& functions) {
#define ZRV_FFMPEG_ADDRESS(library, name) functions.name = &::name;
    ZRV_FFMPEG_FUNCTIONS(ZRV_FFMPEG_ADDRESS)
#undef ZRV_FFMPEG_ADDRESS
    return true;
}

}  // namespace zrv
