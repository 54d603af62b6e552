#include "gfx2d/installed_font.h"

#include <unistd.h>

#include "platform/paths.h"

namespace zrv {

std::string InstalledFontPath() {
    const std::string folder = ExecutableDirectory();
    if (folder.empty()) return std::string();
    std::string path = folder + "/" ZRV_FONT_FOLDER_FROM_BIN "/smalfont.png";
    return ::access(path.c_str(), R_OK) == 0 ? path : std::string();
}

}  // namespace zrv
