#include "display/support/live_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zrv::test {

namespace {

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void ReadAvailable(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
        } else if (!(n < 0 && errno == EINTR)) {
            return;
        }
    }
}

}  // namespace

LiveChild::LiveChild(const std::string& path, const std::vector<std::pair<std::string, std::string>>& env,
                     const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) return;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        for (const auto& [name, value] : env) {
            if (value.empty()) {
                unsetenv(name.c_str());
            } else {
                setenv(name.c_str(), value.c_str(), 1);
            }
        }
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    out_ = outPipe[0];
    err_ = errPipe[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
    fcntl(err_, F_SETFL, O_NONBLOCK);
}

LiveChild::~LiveChild() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
    if (err_ >= 0) close(err_);
}

void LiveChild::Drain() {
    if (out_ >= 0) ReadAvailable(out_, result_.out);
    if (err_ >= 0) ReadAvailable(err_, result_.err);
}

bool LiveChild::HasPrinted(const std::string& line) {
    Drain();
    const std::string& out = result_.out;
    for (std::size_t at = out.find(line); at != std::string::npos; at = out.find(line, at + 1)) {
        const bool starts = at == 0 || out[at - 1] == '\n';
        const bool ends = at + line.size() < out.size() && out[at + line.size()] == '\n';
        if (starts && ends) return true;
    }
    return false;
}

bool LiveChild::WaitForLine(const std::string& line, double timeoutSeconds) {
    const double deadline = Now() + timeoutSeconds;
    while (!HasPrinted(line)) {
        if (Now() > deadline || pid_ <= 0) return false;
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_) {
            return HasPrinted(line);  // the child has ended: what it printed is all there is
        }
        usleep(10000);
    }
    return true;
}

ChildResult LiveChild::Finish(double timeoutSeconds) {
    if (pid_ <= 0) return result_;
    const double deadline = Now() + timeoutSeconds;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) != pid_) {
        Drain();
        if (Now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            result_.err += "\n[test harness: child timed out]";
            break;
        }
        usleep(10000);
    }
    pid_ = -1;
    Drain();
    result_.exited = WIFEXITED(status);
    result_.exitCode = result_.exited ? WEXITSTATUS(status) : -1;
    result_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result_;
}

}  // namespace zrv::test
