#include "core/temp_directory.h"

#include <cstdlib>

namespace zrv {

std::string TempDirectory() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder = fromEnvironment != nullptr && *fromEnvironment != 0 ? fromEnvironment : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace zrv
