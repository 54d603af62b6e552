// A test program running as a child while the test acts on its window: the test waits for
// lines the child prints, drives the X server, then collects how the child ended.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"

namespace zrv::test {

class LiveChild {
public:
    // args follow the program path on the child's command line.
    LiveChild(const std::string& path, const std::vector<std::pair<std::string, std::string>>& env,
              const std::vector<std::string>& args = {});
    ~LiveChild();  // a child still running is killed
    LiveChild(const LiveChild&) = delete;
    LiveChild& operator=(const LiveChild&) = delete;

    // True once the child's standard output holds line (a whole line).
    bool WaitForLine(const std::string& line, double timeoutSeconds = 20);
    bool HasPrinted(const std::string& line);
    // Waits for the end (killing the child after the time-out).
    ChildResult Finish(double timeoutSeconds = 20);

private:
    void Drain();

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    ChildResult result_;
};

}  // namespace zrv::test
