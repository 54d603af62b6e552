// Children of the test process, in the three ways the tests need them:
//   RunChild          starts a program and waits for its end, collecting what it printed;
//   LiveChild         starts a program the test talks to while it runs (waits for the lines
//                     it prints, acts on it from outside), then collects how it ended;
//   ForkInNewSession  runs a piece of the test process itself in a child with a session and
//                     standard streams of its own (POSIX only: Windows cannot fork).
// Every wait has a time-out after which the child is killed, so a hung child fails its test
// instead of holding up the run.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zrv::test {

using Env = std::vector<std::pair<std::string, std::string>>;

struct ChildOptions {
    std::vector<std::string> args;    // after the program path
    Env env;                          // added or replaced
    std::vector<std::string> unsetEnv;  // removed
    std::string workingDir;           // empty: the test's own
    // Run under a debugger: a ptrace tracer on POSIX, where the runtime writes its debugger
    // texts to standard error; on Windows the test debugs the child itself and adds the
    // texts the child sends (OutputDebugString) to err as they arrive.
    bool traced = false;
    int timeoutSeconds = 60;
    // Run as this user and group id (when the test runs as root); -1: as the test. POSIX
    // only: on Windows a child asked to change its user does not start.
    int userId = -1;
};

struct ChildResult {
    bool exited = false;  // ended through exit() rather than a signal or the time-out
    int exitCode = -1;
    int signal = 0;
    std::string out;
    std::string err;
};

// Path of a program built from tests/programs/<name>.cpp (on Windows its .exe, found
// beside the test's own folder).
std::string TestProgram(const std::string& name);

ChildResult RunChild(const std::string& path, const ChildOptions& options = {});

class LiveChild {
public:
    explicit LiveChild(const std::string& path, const ChildOptions& options = {});
    // An entry of env with an empty value is removed from the child's environment; args
    // follow the program path on its command line.
    LiveChild(const std::string& path, const Env& env, const std::vector<std::string>& args = {});
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

    // The process id and pipe descriptors on POSIX, the process and pipe handles on Windows.
    std::intptr_t pid_ = -1;
    std::intptr_t out_ = -1;
    std::intptr_t err_ = -1;
    bool outOpen_ = false;
    bool errOpen_ = false;
    bool debugged_ = false;  // Windows: the test is the child's debugger
    ChildResult result_;
};

struct ForkedChild {
    pid_t pid = -1;
    int out = -1;  // the reading ends of the child's standard output and error
    int err = -1;
};

// Runs body in a child that leads a new session (so it has no controlling terminal), with
// standard input from /dev/null and standard output and error into pipes; the child then
// flushes its streams and ends with exit code 0. Traced: the test process attaches to it as
// a debugger would.
ForkedChild ForkInNewSession(const std::function<void()>& body, bool traced = false);
// Reads from fd until text has arrived, the writers have closed it or the time is up;
// returns everything read.
std::string ReadUntil(int fd, const std::string& text, double seconds = 30);
// Waits for the child's end and closes its pipes: its exit code, or -1 when it did not
// exit (it is killed after the time-out).
int FinishChild(ForkedChild& child, double seconds = 60);

}  // namespace zrv::test
