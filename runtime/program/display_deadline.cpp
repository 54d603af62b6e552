#include "program/display_deadline.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "zorvane/program.h"

namespace zrv {

namespace {

// Far beyond what a loaded machine takes to open a window (a few seconds at worst).
constexpr auto kDeadline = std::chrono::seconds(20);
constexpr const char* kReason = "Window creation failed: the display did not answer within 20 s";

}  // namespace

DisplayDeadline::DisplayDeadline()
    : watcher_([this] {
          std::unique_lock lock(mutex_);
          if (finished_.wait_for(lock, kDeadline, [this] { return done_; })) return;
          // The main thread is stuck inside the display's library: nothing can be shut
          // down in order, so the process ends here.
          AppendLogLine(kReason);
          std::fprintf(stderr, "%s\n", kReason);
          std::fflush(stderr);
          std::_Exit(1);
      }) {}

DisplayDeadline::~DisplayDeadline() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_one();
    watcher_.join();
}

}  // namespace zrv
