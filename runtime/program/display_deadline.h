// A deadline for the steps of start-up that wait on the display server.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace zrv {

// While one exists, a display that never answers ends the process: after the deadline
// the reason goes to standard error and the log, and the process exits with code 1. An X
// server that accepts a connection while it resets itself never answers it, and a program
// waiting for that answer would otherwise run on for ever with no window.
class DisplayDeadline {
public:
    DisplayDeadline();
    ~DisplayDeadline();
    DisplayDeadline(const DisplayDeadline&) = delete;
    DisplayDeadline& operator=(const DisplayDeadline&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread watcher_;
};

}  // namespace zrv
