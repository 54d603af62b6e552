#include "support/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zrv::test {

std::string TestProgram(const std::string& name) {
    return std::string(ZRV_TEST_PROGRAM_DIR) + "/zrv_prog_" + name;
}

namespace {

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Reads what is waiting; a closed pipe or a read error closes it for good.
void Drain(int fd, std::string& into, bool& open) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EINTR && errno != EAGAIN)) open = false;
        if (n < 0 && errno == EINTR) continue;
        return;
    }
}

}  // namespace

ChildResult RunChild(const std::string& path, const ChildOptions& options) {
    ChildResult result;
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) return result;

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
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
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(path.c_str()));
        for (const auto& arg : options.args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(errPipe[0], F_SETFL, O_NONBLOCK);

    const double deadline = Now() + options.timeoutSeconds;
    bool outOpen = true;
    bool errOpen = true;
    bool reaped = false;
    int status = 0;
    while (!reaped) {
        pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
        poll(fds, 2, 20);
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP))) Drain(outPipe[0], result.out, outOpen);
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP))) Drain(errPipe[0], result.err, errOpen);

        // A traced child stops at every signal (and once at exec); the tracer lets each
        // one through unchanged.
        const pid_t waited = waitpid(pid, &status, WNOHANG);
        if (waited == pid) {
            if (WIFSTOPPED(status)) {
                const int sig = WSTOPSIG(status);
                ptrace(PTRACE_CONT, pid, nullptr, sig == SIGTRAP ? 0 : sig);
            } else {
                reaped = true;
            }
        }
        if (!reaped && Now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            close(outPipe[0]);
            close(errPipe[0]);
            result.err += "\n[test harness: child timed out]";
            return result;
        }
    }
    // What the child wrote is in the pipes now; a grandchild it started may keep them
    // open, so take what is there without waiting for the end.
    if (outOpen) Drain(outPipe[0], result.out, outOpen);
    if (errOpen) Drain(errPipe[0], result.err, errOpen);
    close(outPipe[0]);
    close(errPipe[0]);
    result.exited = WIFEXITED(status);
    result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

}  // namespace zrv::test
