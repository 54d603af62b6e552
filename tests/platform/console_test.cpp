#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio_ext.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "support/child_process.h"
#include "support/temp_dir.h"
#include "zorvane/platform.h"

namespace zrv::test {
namespace {

// Standard input of the test process comes from fd for the lifetime of the object.
class StdinFrom {
public:
    explicit StdinFrom(int fd) : saved_(dup(STDIN_FILENO)) {
        dup2(fd, STDIN_FILENO);
        __fpurge(stdin);
        std::clearerr(stdin);
    }
    ~StdinFrom() {
        dup2(saved_, STDIN_FILENO);
        close(saved_);
        __fpurge(stdin);
        std::clearerr(stdin);
    }
    StdinFrom(const StdinFrom&) = delete;
    StdinFrom& operator=(const StdinFrom&) = delete;

private:
    int saved_;
};

// A new pseudo-terminal: the master end and the name of the terminal end. The test holds
// the terminal end open too: whenever no process has it open (say, between a child closing
// it and opening it again as /dev/tty) the master end reports a hang-up, and a read there
// would end at once.
struct PseudoTerminal {
    PseudoTerminal() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char path[128] = {};
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) ptsname_r(master, path, sizeof path);
        name = path;
        if (!name.empty()) held = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    ~PseudoTerminal() {
        if (held >= 0) close(held);
        if (master >= 0) close(master);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master = -1;
    int held = -1;
    std::string name;
};

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

// What is waiting at fd now, without waiting for more.
std::string ReadWaiting(int fd) {
    std::string text;
    char buffer[4096];
    pollfd ready{fd, POLLIN, 0};
    while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) != 0) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

TEST(ReadStdinLine, LinesComeWithoutTheirLineFeedAndLongOnesInPiecesOf4095) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    WriteAll(ends[1], "abc\n" + std::string(5000, 'x') + "\n\nlast");
    close(ends[1]);
    StdinFrom input(ends[0]);
    close(ends[0]);

    EXPECT_EQ(std::string(ReadStdinLine().c_str()), "abc");
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), std::string(4095, 'x'));
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), std::string(905, 'x'));
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), "");
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), "last");
    // The end of the input gives the empty text, every time.
    EXPECT_EQ(ReadStdinLine().Length(), 0u);
    EXPECT_EQ(ReadStdinLine().Length(), 0u);
}

TEST(ReadStdinLine, ReadsATerminalLineByLineAndInRawModeInPiecesOf4095) {
    PseudoTerminal terminal;
    ASSERT_GE(terminal.master, 0);
    const int end = open(terminal.name.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(end, 0);
    termios settings{};
    ASSERT_EQ(tcgetattr(end, &settings), 0);
    settings.c_lflag &= static_cast<tcflag_t>(~ECHO);
    tcsetattr(end, TCSANOW, &settings);
    StdinFrom input(end);

    // Canonical mode: the terminal hands over whole lines.
    WriteAll(terminal.master, "typed\nagain\n");
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), "typed");
    EXPECT_EQ(std::string(ReadStdinLine().c_str()), "again");

    // Raw mode: the terminal keeps no line of its own (a canonical one ends at 4095
    // characters in the kernel); the input queue fills, so the writer runs beside us.
    cfmakeraw(&settings);
    tcsetattr(end, TCSANOW, &settings);
    std::thread writer([&] { WriteAll(terminal.master, std::string(5000, 'y') + "\n"); });
    const std::string first = ReadStdinLine().c_str();
    const std::string second = ReadStdinLine().c_str();
    writer.join();
    close(end);
    EXPECT_EQ(first, std::string(4095, 'y'));
    EXPECT_EQ(second, std::string(905, 'y'));
}

TEST(OpenConsole, WithoutATerminalOnItsStreamsAProcessIsBoundToItsControllingTerminal) {
    PseudoTerminal terminal;
    ASSERT_GE(terminal.master, 0);
    const std::string name = terminal.name;
    ForkedChild child = ForkInNewSession([&name] {
        // Opened by the leader of a session that has none, it becomes its controlling terminal.
        close(open(name.c_str(), O_RDWR));
        OpenConsole();
        PrintToStdout("console ready\n");
        const RtString line = ReadStdinLine();
        PrintToStderr(RtString("read ") + line + "\n");
        PrintToStdout("bye\n");
    });
    EXPECT_NE(ReadUntil(terminal.master, "console ready\r\n").find("console ready\r\n"), std::string::npos);
    WriteAll(terminal.master, "typed line\n");
    // Standard error stayed where it was.
    EXPECT_NE(ReadUntil(child.err, "read typed line\n").find("read typed line\n"), std::string::npos);
    EXPECT_NE(ReadUntil(terminal.master, "bye\r\n").find("bye\r\n"), std::string::npos);
    EXPECT_EQ(ReadUntil(child.out, "\n", 1), "");
    EXPECT_EQ(FinishChild(child), 0);
}

TEST(OpenConsole, ATerminalOnTheStreamsIsKeptAndWithoutAnyTerminalOrXtermNothingChanges) {
    PseudoTerminal own;
    PseudoTerminal controlling;
    ASSERT_GE(own.master, 0);
    ASSERT_GE(controlling.master, 0);
    const std::string ownName = own.name;
    const std::string controllingName = controlling.name;
    ForkedChild kept = ForkInNewSession([&] {
        close(open(controllingName.c_str(), O_RDWR));
        const int terminal = open(ownName.c_str(), O_RDWR | O_NOCTTY);
        dup2(terminal, STDIN_FILENO);
        dup2(terminal, STDOUT_FILENO);
        OpenConsole();
        PrintToStdout("kept\n");
    });
    EXPECT_NE(ReadUntil(own.master, "kept").find("kept"), std::string::npos);
    EXPECT_EQ(FinishChild(kept), 0);
    EXPECT_EQ(ReadWaiting(controlling.master), "");

    TempDir emptyPath;
    const std::string path = emptyPath.Path();
    ForkedChild alone = ForkInNewSession([&path] {
        setenv("PATH", path.c_str(), 1);
        OpenConsole();
        PrintToStdout("still the pipe\n");
    });
    EXPECT_EQ(ReadUntil(alone.out, "\n"), "still the pipe\n");
    EXPECT_EQ(FinishChild(alone), 0);
}

// A program started without any terminal, on an X server of its own: the console is a new
// xterm. The program asks the terminal to identify itself; the answer that comes back on
// its standard input shows that both directions reach the xterm.
TEST(OpenConsole, WithoutAnyTerminalAProgramGetsAnXtermWindow) {
    ASSERT_EQ(std::system("command -v xterm >/dev/null"), 0) << "scripts/install-deps.sh installs xterm";
    TempDir tmp;
    ChildOptions options;
    // Neither the controlling terminal nor the standard input of whoever runs the tests
    // reaches the program.
    options.args = {"-c", "exec setsid -w \"$@\" </dev/null", "sh", ZRV_WITH_XVFB, TestProgram("console_probe")};
    options.env = {{"TMPDIR", tmp.Path()}};
    const ChildResult result = RunChild("/bin/sh", options);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("answer ^[[?"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace zrv::test
