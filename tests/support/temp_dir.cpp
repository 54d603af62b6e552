#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "zorvane/program.h"

namespace zrv::test {

TempDir::TempDir() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/zrvtest-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::vector<std::string> ReadLogLines(const std::string& folder) {
    const std::string text = ReadFile(folder + "/ErrorLog.txt");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CRLF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
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
    const auto lines = ReadLogLines(dir.Path());
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "-End On Line") return std::stoi(lines[i + 1]);
    }
    return -1000;
}

}  // namespace zrv::test
