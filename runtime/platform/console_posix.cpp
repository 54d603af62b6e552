// The console on POSIX: the terminal the process was started from, its controlling
// terminal, or an xterm of its own.
#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>

#include "platform/xterm_console.h"
#include "zorvane/platform.h"

namespace zrv {

namespace {

// Standard input and output read and write the terminal from now on; anything buffered for
// the old ones is delivered or dropped first. Standard error stays where it is.
void BindStandardStreams(int terminal) {
    std::fflush(stdout);
    dup2(terminal, STDIN_FILENO);
    dup2(terminal, STDOUT_FILENO);
    __fpurge(stdin);
    std::clearerr(stdin);
    std::clearerr(stdout);
    // Line by line, as on any terminal; a read of standard input then first delivers the
    // prompt still waiting in standard output.
    std::setvbuf(stdin, nullptr, _IOLBF, 0);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

}  // namespace

}  // namespace zrv

void OpenConsole() {
    // Started from a terminal, the process keeps it, together with the redirections it was
    // given there.
    if (isatty(STDIN_FILENO) != 0 || isatty(STDOUT_FILENO) != 0) return;
    int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) terminal = zrv::OpenXtermTerminal();
    if (terminal < 0) return;
    zrv::BindStandardStreams(terminal);
    close(terminal);
}
