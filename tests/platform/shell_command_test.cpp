#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/command_line.h"
#include "support/temp_dir.h"
#include "zorvane/platform.h"

namespace zrv::test {
namespace {

double RunArguments(const std::vector<std::string>& arguments, double wait, double& exitCode) {
    return RunShellCommand(JoinCommandLine(arguments).c_str(), wait, 1, exitCode);
}

// Waits up to a minute for the condition.
template <class Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The state letter of a process ('Z' for a zombie), or 0 when there is no such process.
char ProcessState(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const std::size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : 0;
}

void CountAlarm(int) {}

TEST(RunShellCommand, AProgramThatCannotStartGivesZeroAndExitCodeZero) {
    for (const double wait : {0.0, 1.0}) {
        double exitCode = 7;
        EXPECT_EQ(RunShellCommand("zrv-no-such-program --help", wait, 1, exitCode), 0);
        EXPECT_EQ(exitCode, 0);
        exitCode = 7;
        EXPECT_EQ(RunShellCommand("   ", wait, 0, exitCode), 0);
        EXPECT_EQ(exitCode, 0);
    }
}

TEST(RunShellCommand, WithWaitingItReturnsWhenTheChildHasEndedWithItsExitCode) {
    TempDir folder;
    const std::string mark = folder / "with blank.txt";
    double exitCode = -1;
    // The arguments arrive as written, blanks in quotes included.
    EXPECT_EQ(RunArguments({"sh", "-c", "sleep 0.2; echo done > \"$1\"; exit 3", "sh", mark}, 1, exitCode), 1);
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(ReadFile(mark), "done\n");

    // A child ended by a signal.
    EXPECT_EQ(RunArguments({"sh", "-c", "kill -KILL $$"}, 1, exitCode), 1);
    EXPECT_EQ(exitCode, 128 + SIGKILL);

    // Signals that interrupt the wait do not end it.
    struct sigaction action {};
    action.sa_handler = CountAlarm;  // without SA_RESTART: waitpid fails with EINTR
    struct sigaction previous {};
    sigaction(SIGALRM, &action, &previous);
    itimerval every5ms{{0, 5000}, {0, 5000}};
    setitimer(ITIMER_REAL, &every5ms, nullptr);
    const double started = RunArguments({"sh", "-c", "sleep 0.3; exit 5"}, 1, exitCode);
    itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &previous, nullptr);
    EXPECT_EQ(started, 1);
    EXPECT_EQ(exitCode, 5);
}

TEST(RunShellCommand, WithoutWaitingItReturnsAtOnceAndTheEndedChildLeavesNoZombie) {
    TempDir folder;
    const std::string pidFile = folder / "pid";
    const std::string fifo = folder / "go";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    double exitCode = -1;
    // The child tells its number, then waits until the test lets it go.
    ASSERT_EQ(RunArguments({"sh", "-c", "echo $$ > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"; cat \"$2\" > /dev/null; exit 4", "sh",
                   pidFile, fifo},
                  0, exitCode),
              1);
    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(Eventually([&] { return access(pidFile.c_str(), F_OK) == 0; }));
    std::string pid = ReadFile(pidFile);
    pid.pop_back();
    EXPECT_NE(ProcessState(pid), 'Z');
    EXPECT_NE(ProcessState(pid), 0) << "the child ran on while the command returned";

    close(open(fifo.c_str(), O_WRONLY));
    EXPECT_TRUE(Eventually([&] { return ProcessState(pid) == 0; })) << "state " << ProcessState(pid);
}

}  // namespace
}  // namespace zrv::test
