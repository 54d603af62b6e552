#include "platform/xterm_console.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/command_line.h"
#include "platform/process.h"

namespace zrv {

namespace {

// Long enough for a loaded machine to bring up an X client.
constexpr int kStartTimeoutMs = 20000;

// xterm announces itself with its window number in hex and a line feed before it shows
// anything; false when that line does not arrive in time.
bool ReadAnnouncement(int terminal) {
    std::string line;
    int waited = 0;
    while (waited < kStartTimeoutMs) {
        pollfd fd{terminal, POLLIN, 0};
        const int ready = poll(&fd, 1, 100);
        if (ready < 0 && errno != EINTR) return false;
        if (ready <= 0) {
            waited += 100;
            continue;
        }
        char c = 0;
        const ssize_t n = read(terminal, &c, 1);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return false;
        if (c == '\n') return true;
        line += c;
    }
    return false;
}

}  // namespace

int OpenXtermTerminal() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return -1;
    char name[128];
    int terminal = -1;
    if (grantpt(master) == 0 && unlockpt(master) == 0 && ptsname_r(master, name, sizeof name) == 0) {
        terminal = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    if (terminal < 0) {
        close(master);
        return -1;
    }
    // The announcement must not be echoed into the new window.
    termios settings{};
    const bool hasSettings = tcgetattr(terminal, &settings) == 0;
    if (hasSettings) {
        termios quiet = settings;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(terminal, TCSANOW, &quiet);
    }
    // xterm inherits the other end and is told its number after the terminal's name.
    const ChildProcess xterm = StartProcess(JoinCommandLine({"xterm", "-S" + std::string(name) + "/" + std::to_string(master)}));
    close(master);
    const bool started = xterm != kNoChild && ReadAnnouncement(terminal);
    if (hasSettings) tcsetattr(terminal, TCSANOW, &settings);
    if (xterm != kNoChild) {
        if (!started) kill(static_cast<pid_t>(xterm), SIGKILL);
        ReapWhenEnded(xterm);
    }
    if (!started) {
        close(terminal);
        return -1;
    }
    return terminal;
}

}  // namespace zrv
