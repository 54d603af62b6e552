// Starting a test program as a child process and collecting what it did.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zrv::test {

struct ChildOptions {
    std::vector<std::string> args;                            // after the program path
    std::vector<std::pair<std::string, std::string>> env;     // added or replaced
    std::vector<std::string> unsetEnv;                        // removed
    std::string workingDir;                                   // empty: the test's own
    bool traced = false;  // run under a ptrace tracer, as a debugger would
    int timeoutSeconds = 60;
    // Run as this user and group id (when the test runs as root); -1: as the test.
    int userId = -1;
};

struct ChildResult {
    bool exited = false;  // ended through exit() rather than a signal or the time-out
    int exitCode = -1;
    int signal = 0;
    std::string out;
    std::string err;
};

// Path of a program built from tests/programs/<name>.cpp.
std::string TestProgram(const std::string& name);
ChildResult RunChild(const std::string& path, const ChildOptions& options = {});

}  // namespace zrv::test
