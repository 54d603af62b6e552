// The process's own memory figures, from /proc/self/status; header only, so that the test
// programs use it too.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace zrv::test {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 when there is none.
inline long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    }
    return -1;
}

// Whether a shared library whose file name contains the text is mapped into the process.
inline bool LibraryLoaded(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find(name) != std::string::npos) return true;
    }
    return false;
}

// The peak resident size (VmHWM) starts again from the present one.
inline bool ResetPeakMemory() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

}  // namespace zrv::test
