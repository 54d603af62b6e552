// Children forked from the test process, to run a piece of the runtime with standard
// streams, a session and a terminal situation of their own.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace zrv::test {

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
