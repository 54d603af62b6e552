#include "platform/forked_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

namespace zrv::test {

namespace {

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ForkedChild ForkInNewSession(const std::function<void()>& body, bool traced) {
    ForkedChild child;
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return child;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return child;
    }
    std::fflush(nullptr);
    child.pid = fork();
    if (child.pid == 0) {
        setsid();
        const int nothing = open("/dev/null", O_RDONLY);
        dup2(nothing, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        if (traced) ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    close(out[1]);
    close(err[1]);
    child.out = out[0];
    child.err = err[0];
    return child;
}

std::string ReadUntil(int fd, const std::string& text, double seconds) {
    std::string received;
    const double deadline = Now() + seconds;
    while (received.find(text) == std::string::npos && Now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0) continue;
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

int FinishChild(ForkedChild& child, double seconds) {
    const double deadline = Now() + seconds;
    int status = 0;
    pid_t waited = 0;
    while (Now() < deadline) {
        waited = waitpid(child.pid, &status, WNOHANG);
        // A traced child stops at each signal it gets; the signal goes on to it unchanged.
        if (waited > 0 && WIFSTOPPED(status)) {
            ptrace(PTRACE_CONT, child.pid, nullptr, WSTOPSIG(status));
            continue;
        }
        if (waited != 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (waited == 0) {
        kill(child.pid, SIGKILL);
        waitpid(child.pid, &status, 0);
    }
    close(child.out);
    close(child.err);
    child = ForkedChild{};
    return waited > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zrv::test
