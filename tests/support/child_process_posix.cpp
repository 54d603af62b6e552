#include "support/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "support/clock.h"

namespace zrv::test {

std::string TestProgram(const std::string& name) {
    return std::string(ZRV_TEST_PROGRAM_DIR) + "/zrv_prog_" + name;
}

namespace {

// The child's standard output and error pipes, both ends.
struct Pipes {
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
};

bool OpenPipes(Pipes& pipes) {
    if (pipe2(pipes.out, O_CLOEXEC) != 0) return false;
    if (pipe2(pipes.err, O_CLOEXEC) != 0) {
        close(pipes.out[0]);
        close(pipes.out[1]);
        return false;
    }
    return true;
}

// The parent keeps the reading ends only, so that the pipes close when the child ends.
void KeepReadingEnds(const Pipes& pipes, int& out, int& err) {
    close(pipes.out[1]);
    close(pipes.err[1]);
    out = pipes.out[0];
    err = pipes.err[0];
}

// In the child after fork(): never returns.
[[noreturn]] void ExecInChild(const std::string& path, const ChildOptions& options, const Pipes& pipes) {
    dup2(pipes.out[1], STDOUT_FILENO);
    dup2(pipes.err[1], STDERR_FILENO);
    for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
    for (const auto& name : options.unsetEnv) unsetenv(name.c_str());
    if (options.userId >= 0) {
        const auto id = static_cast<uid_t>(options.userId);
        if (setgroups(0, nullptr) != 0 || setgid(id) != 0 || setuid(id) != 0) _exit(125);
    }
    if (!options.workingDir.empty() && chdir(options.workingDir.c_str()) != 0) _exit(126);
    if (options.traced) {
        // The leak checker of a sanitizer build cannot run under a tracer.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    }
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const auto& arg : options.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
}

// Reads what is waiting; a closed pipe or a read error closes it for good.
void Drain(int fd, std::string& into, bool& open) {
    char buffer[4096];
    while (open) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            open = false;
        } else if (errno == EAGAIN) {
            return;
        }
    }
}

// Waits for pid's end, calling idle between looks, and kills it once seconds have passed:
// true when it ended by itself. A traced child stops at every signal it gets, and the
// signal goes on to it unchanged; an executed one also stops once at its exec, with a
// SIGTRAP that is not passed on (passTrap false). A status of -1 reads as neither exited
// nor signalled.
bool AwaitEnd(pid_t pid, double seconds, bool passTrap, const std::function<void()>& idle, int& status) {
    const double deadline = Now() + seconds;
    for (;;) {
        const pid_t waited = waitpid(pid, &status, WNOHANG);
        if (waited == pid && WIFSTOPPED(status)) {
            const int sig = WSTOPSIG(status);
            ptrace(PTRACE_CONT, pid, nullptr, sig == SIGTRAP && !passTrap ? 0 : sig);
            continue;
        }
        if (waited == pid) return true;
        if (waited < 0 && errno != EINTR) {
            status = -1;  // no such child: neither exited nor killed
            return true;
        }
        if (Now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        idle();
    }
}

}  // namespace

LiveChild::LiveChild(const std::string& path, const ChildOptions& options) {
    Pipes pipes;
    if (!OpenPipes(pipes)) return;
    const pid_t pid = fork();
    if (pid == 0) ExecInChild(path, options, pipes);
    pid_ = pid;
    int out = -1;
    int err = -1;
    KeepReadingEnds(pipes, out, err);
    out_ = out;
    err_ = err;
    outOpen_ = errOpen_ = true;
    fcntl(out, F_SETFL, O_NONBLOCK);
    fcntl(err, F_SETFL, O_NONBLOCK);
}

LiveChild::~LiveChild() {
    if (pid_ > 0) {
        kill(static_cast<pid_t>(pid_), SIGKILL);
        waitpid(static_cast<pid_t>(pid_), nullptr, 0);
    }
    if (out_ >= 0) close(static_cast<int>(out_));
    if (err_ >= 0) close(static_cast<int>(err_));
}

void LiveChild::Drain() {
    if (out_ >= 0) zrv::test::Drain(static_cast<int>(out_), result_.out, outOpen_);
    if (err_ >= 0) zrv::test::Drain(static_cast<int>(err_), result_.err, errOpen_);
}

bool LiveChild::WaitForLine(const std::string& line, double timeoutSeconds) {
    const double deadline = Now() + timeoutSeconds;
    while (!HasPrinted(line)) {
        if (Now() > deadline || pid_ <= 0) return false;
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == static_cast<pid_t>(pid_)) {
            return HasPrinted(line);  // the child has ended: what it printed is all there is
        }
        Pause(0.01);
    }
    return true;
}

ChildResult LiveChild::Finish(double timeoutSeconds) {
    if (pid_ <= 0) return result_;
    int status = 0;
    const auto readWhileWaiting = [this] {
        pollfd fds[2] = {{outOpen_ ? static_cast<int>(out_) : -1, POLLIN, 0}, {errOpen_ ? static_cast<int>(err_) : -1, POLLIN, 0}};
        poll(fds, 2, 10);
        Drain();
    };
    if (!AwaitEnd(static_cast<pid_t>(pid_), timeoutSeconds, false, readWhileWaiting, status)) {
        result_.err += "\n[test harness: child timed out]";
    }
    pid_ = -1;
    // What the child wrote is in the pipes now; a grandchild it started may keep them
    // open, so take what is there without waiting for the end.
    Drain();
    result_.exited = WIFEXITED(status);
    result_.exitCode = result_.exited ? WEXITSTATUS(status) : -1;
    result_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result_;
}

ForkedChild ForkInNewSession(const std::function<void()>& body, bool traced) {
    ForkedChild child;
    Pipes pipes;
    if (!OpenPipes(pipes)) return child;
    std::fflush(nullptr);
    child.pid = fork();
    if (child.pid == 0) {
        setsid();
        const int nothing = open("/dev/null", O_RDONLY);
        dup2(nothing, STDIN_FILENO);
        dup2(pipes.out[1], STDOUT_FILENO);
        dup2(pipes.err[1], STDERR_FILENO);
        if (traced) ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    KeepReadingEnds(pipes, child.out, child.err);
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
    int status = 0;
    const bool ended = AwaitEnd(child.pid, seconds, true, [] { Pause(0.01); }, status);
    close(child.out);
    close(child.err);
    child = ForkedChild{};
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zrv::test
