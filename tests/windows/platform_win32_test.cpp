#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/module_cache.h"
#include "platform/paths.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "zorvane/platform.h"

namespace zrv::test {
namespace {

// The system's command interpreter, there on every Windows and under wine.
constexpr const char* kShell = "cmd.exe";

TEST(WindowsProcesses, TheCommandLineGoesToTheSystemAndTheExitCodeAndOutputComeBack) {
    TempDir folder;
    const std::string mark = folder / "with blank.txt";
    double exitCode = -1;
    // The system splits the line: the quoted name with its blank arrives as one word.
    const std::string line = std::string(kShell) + " /c \"echo done>\"" + mark + "\"&exit 3\"";
    EXPECT_EQ(RunShellCommand(line.c_str(), 1, 0, exitCode), 1);
    EXPECT_EQ(exitCode, 3);
    EXPECT_EQ(ReadFile(mark), "done\r\n");

    exitCode = -1;
    EXPECT_EQ(RunShellCommand((std::string(kShell) + " /c exit 4").c_str(), 0, 0, exitCode), 1);
    EXPECT_EQ(exitCode, 0) << "without waiting the code is not read";

    // The tests' own children: standard output and error through pipes, lines as "\n".
    ChildOptions options;
    options.args = {"/c", "echo out& echo err 1>&2& exit 5"};
    options.env = {{"ZRV_SEEN", "x"}};
    const ChildResult child = RunChild(kShell, options);
    EXPECT_TRUE(child.exited);
    EXPECT_EQ(child.exitCode, 5);
    EXPECT_EQ(child.out, "out\n");
    EXPECT_EQ(child.err, "err \n");
}

TEST(WindowsProcesses, AProgramThatDoesNotExistDoesNotStart) {
    for (const double wait : {0.0, 1.0}) {
        double exitCode = 7;
        EXPECT_EQ(RunShellCommand("zrv-no-such-program --help", wait, 1, exitCode), 0);
        EXPECT_EQ(exitCode, 0);
        exitCode = 7;
        EXPECT_EQ(RunShellCommand("", wait, 1, exitCode), 0);
        EXPECT_EQ(exitCode, 0);
    }
    const ChildResult child = RunChild("zrv-no-such-program.exe");
    EXPECT_FALSE(child.exited);
    EXPECT_NE(child.err.find("did not start"), std::string::npos) << child.err;
}

TEST(WindowsModules, ModulesLoadOnceByTheirLowerCaseNameAndAMissingOneNeverLoads) {
    const std::size_t before = Modules().Size();
    RtString module = "KERNEL32.DLL";
    ExternalFunction ticks = nullptr;
    ResolveExternalFunction(module, "GetTickCount", ticks);
    EXPECT_STREQ(module.c_str(), "kernel32.dll");
    ASSERT_NE(ticks, nullptr);
    EXPECT_GT(reinterpret_cast<unsigned long (*)()>(ticks)(), 0u);
    RtString again = "Kernel32.dll";
    ExternalFunction missing = reinterpret_cast<ExternalFunction>(&std::strlen);
    ResolveExternalFunction(again, "NoSuchFunction", missing);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(Modules().Size(), before + 1);

    for (int attempt = 0; attempt < 2; ++attempt) {
        RtString absent = "No_Such_Module.DLL";
        ExternalFunction result = reinterpret_cast<ExternalFunction>(&std::strlen);
        ResolveExternalFunction(absent, "anything", result);
        EXPECT_EQ(result, nullptr);
        EXPECT_EQ(Modules().Size(), before + 1);
    }
}

TEST(WindowsPaths, TheExecutablePathHasForwardSlashesAndNamesThisProgram) {
    const std::string path = ExecutablePath();
    ASSERT_GT(path.size(), 3u);
    EXPECT_EQ(path[1], ':') << path;
    EXPECT_EQ(path.find('\\'), std::string::npos) << path;
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_EQ(std::filesystem::path(path).filename().string(), "zrv_test_windows.exe");
    EXPECT_EQ(ExecutableDirectory(), path.substr(0, path.rfind('/')));
}

}  // namespace
}  // namespace zrv::test
