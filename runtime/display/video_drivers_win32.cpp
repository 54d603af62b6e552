#include "display/sdl_video.h"

namespace zrv {

std::string VideoDrivers() { return "windows"; }

}  // namespace zrv
