// Whole programs run as child processes: start-up, the log, the ways out of the process.
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/random_state.h"
#include "support/child_process.h"
#include "support/environment.h"
#include "support/temp_dir.h"
#include "support/text.h"
#include "zorvane/maths.h"

namespace zrv::test {
namespace {

using Lines = std::vector<std::string>;


struct ProbeRun {
    ChildResult result;
    Lines log;
};

ProbeRun Probe(const std::string& mode, const std::string& debugMode = "0", ChildOptions options = {}) {
    TempDir tmp;
    options.env.push_back({kTempFolderVariable, tmp.Path()});
    options.env.push_back({"ZRV_PROBE", mode});
    options.env.push_back({"ZRV_DEBUG_MODE", debugMode});
    ProbeRun run{RunChild(TestProgram("frame_probe"), options), {}};
    run.log = ReadLogLines(tmp.Path());
    return run;
}

TEST(ProgramProcess, NormalEndLeavesThreeLogLinesAndRunsTheQuitHookAndDestructors) {
    TempDir marker;
    ChildOptions options;
    options.env.push_back({"ZRV_EXIT_MARKER", marker / "exit"});
    const ProbeRun run = Probe("end", "0", options);
    EXPECT_TRUE(run.result.exited);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_EQ(run.log, (Lines{"Init GFX", "Init Finalized", "Shut down ZRV"}));
    EXPECT_TRUE(Contains(run.result.out, "quit hook 1\n"));
    EXPECT_EQ(ReadFile(marker / "exit"), "destroyed");
}

TEST(ProgramProcess, DebugModeWritesTheEndRecordBeforeShutdown) {
    const ProbeRun run = Probe("end", "1");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_EQ(run.log, (Lines{"Init GFX", "Init Finalized", "-End On Line", "0", "-1", "0", "0",
                              "Shut down ZRV"}));
}

TEST(ProgramProcess, IndexOutOfRangeStopsWithCode9AndExitCode0) {
    const ProbeRun run = Probe("index", "1");
    EXPECT_TRUE(run.result.exited);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Contains(run.result.out, "reading element 5"));
    EXPECT_FALSE(Contains(run.result.out, "not reached"));
    // error code, error line - 1, current line, position tag
    EXPECT_EQ(run.log, (Lines{"Init GFX", "Init Finalized", "-End On Line", "9", "41", "42", "3",
                              "Shut down ZRV"}));
    EXPECT_TRUE(Contains(run.result.out, "quit hook 1"));
}

TEST(ProgramProcess, FailedAssertionStopsWithCode21) {
    const ProbeRun run = Probe("assert", "1");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Contains(run.result.out, "assert 0 passed"));
    EXPECT_FALSE(Contains(run.result.out, "not reached"));
    ASSERT_GE(run.log.size(), 4u);
    EXPECT_EQ(run.log[2], "-End On Line");
    EXPECT_EQ(run.log[3], "21");
}

TEST(ProgramProcess, QuitHookRunsOnceEvenWhenItStopsTheProgramItself) {
    const ProbeRun run = Probe("hook_stop", "1");
    EXPECT_TRUE(run.result.exited);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Contains(run.result.out, "quit hook 1\n"));
    EXPECT_FALSE(Contains(run.result.out, "quit hook 2"));
    // The nested stop writes its own end record; shutdown runs once, from the inner stop.
    EXPECT_EQ(run.log, (Lines{"Init GFX", "Init Finalized", "-End On Line", "0", "-1", "0", "0",
                              "-End On Line", "0", "-1", "0", "0", "Shut down ZRV"}));
}

TEST(ProgramProcess, FirstStatementRunsInTheExecutablesFolder) {
    TempDir elsewhere;
    ChildOptions options;
    options.workingDir = elsewhere.Path();
    const ProbeRun run = Probe("end", "0", options);
    const std::string folder = std::filesystem::path(TestProgram("frame_probe")).parent_path().string();
    EXPECT_TRUE(Contains(run.result.out, "cwd " + folder + "\n")) << run.result.out;
}

// The arguments come back as they were passed, quotes, backslashes and empty ones included,
// and a word number outside them gives the empty text.
TEST(ProgramProcess, CommandLineTextHoldsTheProgramAndItsArguments) {
    ChildOptions options;
    options.args = {"plain", "with blank", "", "say \"hi\"\\"};
    const ProbeRun run = Probe("cmdline", "0", options);
    const std::string program = TestProgram("frame_probe");
    EXPECT_TRUE(Contains(run.result.out,
                         "cmdline " + program + " plain \"with blank\" \"\" \"say \\\"hi\\\"\\\\\"\n"))
        << run.result.out;
    EXPECT_TRUE(Contains(run.result.out,
                         "args 4 [] [" + program + "] [plain] [with blank] [] [say \"hi\"\\] []\n"))
        << run.result.out;
}

TEST(ProgramProcess, ErrorTextAfterAFailureAndStopKeepsExitCode0) {
    const ProbeRun run = Probe("end_with_error", "1");
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Contains(run.result.out, "0003 no such file\n"));
    ASSERT_GE(run.log.size(), 4u);
    EXPECT_EQ(run.log[3], "3");
}

TEST(ProgramProcess, DebuggerTextsOnlyWithATracerAttached) {
    const ProbeRun quiet = Probe("callbyname");
    EXPECT_TRUE(Contains(quiet.result.out, "missing 0\nlower case 0\nmessage hook 0\n"));
    EXPECT_EQ(quiet.result.err, "");

    ChildOptions traced;
    traced.traced = true;
    const ProbeRun loud = Probe("callbyname", "0", traced);
    EXPECT_EQ(loud.result.exitCode, 0);
    // One text for the missing function and one for the lower-case hook name (which is
    // not the hook); the real hook names are never reported.
    EXPECT_EQ(loud.result.err,
              "TXCALLBYNAME \"NO_SUCH_FUNCTION\" *** failed ***\n"
              "TXCALLBYNAME \"zrv_on_quit\" *** failed ***\n"
              "TXhello debugger");
}

TEST(ProgramProcess, BreakToDebuggerSendsLowerCaseHexOnlyWhenTraced) {
    const ProbeRun untraced = Probe("break");
    EXPECT_TRUE(Contains(untraced.result.out, "break 0\nbreak -1 0\n"));
    EXPECT_EQ(untraced.result.err, "");

    ChildOptions options;
    options.traced = true;
    const ProbeRun traced = Probe("break", "0", options);
    EXPECT_TRUE(Contains(traced.result.out, "break 1\nbreak -1 1\n"));
    EXPECT_EQ(traced.result.err, "BPffBPffffffff");
}

TEST(ProgramProcess, EndAndRunStartsTheCommandWithoutAShellAndExits) {
    TempDir dir;
    const std::string target = dir / "started by EndAndRun";
    ChildOptions options;
#ifdef _WIN32
    const std::string line = "cmd /c echo started> \"" + std::filesystem::path(target).make_preferred().string() + "\"";
#else
    const std::string line = "touch \"" + target + "\"";
#endif
    options.env.push_back({"ZRV_RUN_LINE", line});
    const ProbeRun run = Probe("endandrun", "1", options);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Contains(run.result.out, "quit hook 1"));
    // No end record; shutdown still logs.
    EXPECT_EQ(run.log, (Lines{"Init GFX", "Init Finalized", "Shut down ZRV"}));
    // The command is not waited for: give it a moment to appear.
    for (int i = 0; i < 200 && !std::filesystem::exists(target); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(target));

    // A program that does not exist just fails to start; the process still ends cleanly.
    ChildOptions missing;
    missing.env.push_back({"ZRV_RUN_LINE", "no-such-program-zrv --flag"});
    const ProbeRun failed = Probe("endandrun", "0", missing);
    EXPECT_EQ(failed.result.exitCode, 0);
    EXPECT_EQ(failed.log, (Lines{"Init GFX", "Init Finalized", "Shut down ZRV"}));
}

TEST(ProgramProcess, UnwritableLogNeverStopsStartUp) {
    TempDir tmp;
    const std::string notAFolder = tmp / "file";
    WriteFile(notAFolder, "x");
    ChildOptions options;
    options.env.push_back({kTempFolderVariable, notAFolder});
    options.env.push_back({"ZRV_PROBE", "end"});
    const ChildResult result = RunChild(TestProgram("frame_probe"), options);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "quit hook 1"));
}

std::string RandomLine(const std::string& seedVariable) {
    ChildOptions options;
    options.env.push_back({"ZRV_RANDOM_SEED", seedVariable});
    const ProbeRun run = Probe("random", "0", options);
    EXPECT_EQ(run.result.exitCode, 0);
    const std::size_t at = run.result.out.find("random ");
    return at == std::string::npos ? "" : run.result.out.substr(at, run.result.out.find('\n', at) - at);
}

// What a fresh process draws after start-up seeded it with seed.
std::string ExpectedRandomLine(std::int32_t seed) {
    const RandomState saved = Random();
    Random() = RandomState{};
    SeedRandom(seed);
    std::string line = "random";
    for (int i = 0; i < 8; ++i) {
        line += ' ';
        line += std::to_string(RandomInt(1000000));
    }
    Random() = saved;
    return line;
}

TEST(ProgramProcess, RandomSeedVariableRepeatsARunWhileTheClockSeedVariesIt) {
    const std::string seeded = RandomLine("1234");
    EXPECT_EQ(seeded, ExpectedRandomLine(1234));
    EXPECT_EQ(RandomLine("1234"), seeded);
    EXPECT_EQ(RandomLine("-2147483648"), ExpectedRandomLine(INT32_MIN));
    EXPECT_NE(RandomLine("1235"), seeded);

    // Unset, empty or not a whole int32: the clock seeds, and two runs differ.
    const std::string clock1 = RandomLine("");
    const std::string clock2 = RandomLine("");
    ASSERT_FALSE(clock1.empty());
    EXPECT_NE(clock1, clock2);
    for (const char* ignored : {"1234x", "12.5", " "}) {
        const std::string line = RandomLine(ignored);
        EXPECT_NE(line, seeded) << ignored;
        EXPECT_NE(line, clock1) << ignored;
    }
    EXPECT_NE(RandomLine("2147483648"), ExpectedRandomLine(INT32_MIN)) << "out of range never wraps";
}

// Users, permissions and pipes as POSIX has them.
#ifndef _WIN32
// A temporary folder shared with another user, who put something named ErrorLog.txt into
// it that the program cannot delete. As root the program runs as "nobody" in a sticky
// folder (as /tmp is) and root plants the thing; otherwise the folder is made read-only
// after planting.
class SharedTmp {
public:
    static constexpr int kNobody = 65534;

    explicit SharedTmp(void (*plant)(const std::string& path)) : folder_(base_ / "shared") {
        ::mkdir(folder_.c_str(), 0755);
        plant(folder_ + "/ErrorLog.txt");
        if (::geteuid() == 0) {
            EXPECT_EQ(::chmod(base_.Path().c_str(), 0755), 0);
            EXPECT_EQ(::chmod(folder_.c_str(), 01777), 0);
            userId_ = kNobody;
        } else {
            EXPECT_EQ(::chmod(folder_.c_str(), 0555), 0);
        }
    }
    ~SharedTmp() { ::chmod(folder_.c_str(), 0755); }

    ChildResult Run() const {
        ChildOptions options;
        options.env = {{kTempFolderVariable, folder_}, {"ZRV_PROBE", "end"}};
        options.userId = userId_;
        options.timeoutSeconds = 20;
        return RunChild(TestProgram("frame_probe"), options);
    }
    std::string Log() const { return folder_ + "/ErrorLog.txt"; }

private:
    TempDir base_;
    std::string folder_;
    int userId_ = -1;
};

TEST(ProgramProcess, ALogNameTakenByAnotherUserNeitherBlocksStartUpNorGetsTheLog) {
    // A pipe nobody reads: opening it for writing would wait for a reader for ever.
    const SharedTmp withPipe([](const std::string& path) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    });
    const ChildResult piped = withPipe.Run();
    EXPECT_TRUE(piped.exited) << piped.err;
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_TRUE(Contains(piped.out, "quit hook 1"));
    struct stat info {};
    ASSERT_EQ(::lstat(withPipe.Log().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // A file anyone may write to is neither fresh nor private: it gets none of the lines.
    const SharedTmp withFile([](const std::string& path) {
        WriteFile(path, "");
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    });
    const ChildResult filed = withFile.Run();
    EXPECT_TRUE(filed.exited) << filed.err;
    EXPECT_EQ(filed.exitCode, 0);
    EXPECT_TRUE(Contains(filed.out, "quit hook 1"));
    EXPECT_EQ(ReadFile(withFile.Log()), "");
}
#endif

}  // namespace
}  // namespace zrv::test
