#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zrv::test {

TempDir::TempDir() {
    // A name nobody holds yet: creating the folder is the test, as mkdtemp does it.
    std::string base = std::filesystem::temp_directory_path().generic_string();
    while (base.size() > 3 && base.back() == '/') base.pop_back();
    const unsigned long stamp = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (unsigned attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
        const std::string candidate = base + "/zrvtest-" + std::to_string(stamp) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
    }
    if (path_.empty()) ADD_FAILURE() << "no fresh folder in " << base;
}

}  // namespace zrv::test
