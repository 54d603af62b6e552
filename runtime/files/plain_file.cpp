#include "files/plain_file.h"

#include <sys/stat.h>

#include "files/memory_files.h"

namespace zrv {

bool IsPlainFile(const std::string& name) {
    if (IsMemoryFileName(name)) return true;
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace zrv
