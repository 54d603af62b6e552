#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "zorvane/program.h"

namespace zrv::test {

TempDir::TempDir() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/zrvtest-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path_ = pattern;
}

int StopErrorCode(void (*body)()) {
    TempDir dir;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TMPDIR", dir.Path().c_str(), 1);
        GetProjectSettings().debugMode = 1;
        body();
        _exit(99);  // the body was expected to stop the program
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "child did not exit normally, status " << status;
    if (WIFEXITED(status)) {
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the body returned or failed";
    }
    return LoggedStopCode(dir.Path());
}

}  // namespace zrv::test
