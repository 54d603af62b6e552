#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "support/child_process.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "zorvane/program.h"

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

namespace {

// Names the call of StopErrorCode the child is to run; its value counts from 1.
constexpr const char* kStopCall = "ZRV_TEST_STOP_CALL";

}  // namespace

int StopErrorCode(void (*body)()) {
    // Calls are counted within the test, in the test program and in its child alike, so
    // the child runs the body of the call that started it; the calls before it go by.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    static const ::testing::TestInfo* counted = nullptr;
    static int calls = 0;
    if (test != counted) counted = test, calls = 0;
    const int call = ++calls;
    if (const char* wanted = std::getenv(kStopCall)) {
        if (std::atoi(wanted) != call) return -1000;
        GetProjectSettings().debugMode = 1;
        body();
        std::_Exit(99);  // the body was expected to stop the program
    }
    TempDir dir;
    ChildOptions options;
    options.args = {std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()};
    // The runtime's log goes to the system's temporary folder, which TMP names.
    std::string folder = dir.Path();
    for (char& c : folder) {
        if (c == '/') c = '\\';
    }
    options.env = {{kStopCall, std::to_string(call)}, {"TMP", folder}, {"TEMP", folder}};
    const ChildResult child = RunChild(ExecutablePath(), options);
    EXPECT_TRUE(child.exited) << "child did not exit normally: " << child.err;
    if (child.exited) {
        EXPECT_EQ(child.exitCode, 0) << "the body returned or failed:\n" << child.out << child.err;
    }
    return LoggedStopCode(dir.Path());
}

}  // namespace zrv::test
