#include "files/drive_roots.h"

#include "core/fatal.h"
#include "zorvane/files.h"

double ListDriveRoots(RtStringArray& roots) {
    std::vector<std::string> found;
    try {
        found = zrv::SystemDriveRoots();
    } catch (...) {
        // The list of roots is the program's value (see core/fatal.h).
        zrv::StopOutOfMemory();
    }
    const auto count = static_cast<std::int32_t>(found.size());
    roots.Dim(count);
    for (std::int32_t i = 0; i < count; ++i) roots(i) = found[static_cast<std::size_t>(i)].c_str();
    return count;
}
