// The frame's records and services inside one process.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>

#include "core/temp_directory.h"
#include "platform/paths.h"
#include "support/environment.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "zorvane/program.h"

int UnitProgramCallCount();

namespace zrv::test {
namespace {

std::string Text(const RtString& s) { return s.c_str(); }

// The temporary folder of the runtime, from the variable the system takes it from.
class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const std::string& value) : env_(kTempFolderVariable, value.c_str()) {}

private:
    ScopedEnv env_;
};

TEST(ErrorState, SetErrorCodeTruncatesAndRecordsTheLine) {
    SetSourcePosition(5, 120);
    EXPECT_EQ(SetErrorCode(7.9), 7.9);
    EXPECT_EQ(GetErrorState().errorCode, 7);
    EXPECT_EQ(GetErrorState().errorLine, 120);
    EXPECT_EQ(GetErrorState().positionTag, 5);
    SetErrorCode(-2.5);
    EXPECT_EQ(GetErrorState().errorCode, -2);

    SetSourcePosition(0, 130);
    EXPECT_EQ(ClearErrorCode(), 0);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(GetErrorState().errorLine, 120);  // clearing keeps the line of the last error
    SetSourcePosition(0, 0);
}

TEST(ErrorState, ErrorTextsHaveFourDigitCodes) {
    const std::pair<double, const char*> cases[] = {
        {0, "0000 success"},        {3, "0003 no such file"},     {7, "0007 out of memory"},
        {8, "0008 unknown error"},  {9, "0009 out of bounds"},    {20, "0020 out of data"},
        {21, "0021 unknown error"}, {12345, "12345 unknown error"}, {-2, "-0002 unknown error"},
    };
    for (const auto& [code, text] : cases) {
        SetErrorCode(code);
        EXPECT_EQ(Text(GetErrorText()), text);
    }
    ClearErrorCode();
}

TEST(ProjectSettingsRecord, DefaultsAreTheApplications) {
    const ProjectSettings settings;
    EXPECT_EQ(settings.width, 640);
    EXPECT_EQ(settings.height, 480);
    EXPECT_EQ(settings.frameRateLimit, 60);
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.sampleCount, 0);
    EXPECT_EQ(settings.debugMode, 0);
    EXPECT_EQ(settings.pointerHidden, 1);
    EXPECT_EQ(Text(settings.title), "Zorvane kelvo_5");
    EXPECT_EQ(GetMainWindow(), nullptr);
}

TEST(CallByName, FindsTheFirstExactMatchOnly) {
    const int before = UnitProgramCallCount();
    EXPECT_EQ(CALLBYNAME("COUNT_CALL"), 1);
    EXPECT_EQ(UnitProgramCallCount(), before + 1);
    EXPECT_EQ(CALLBYNAME("count_call"), 0);
    EXPECT_EQ(CALLBYNAME("COUNT_CALL "), 0);
    EXPECT_EQ(CALLBYNAME(""), 0);
    EXPECT_EQ(CALLBYNAME("ZRV_ON_QUIT"), 0);
    EXPECT_EQ(UnitProgramCallCount(), before + 1);
    EXPECT_EQ(FindFunctionByName("COUNT_CALL"), FunctionNameTable[0].function);
    EXPECT_EQ(FindFunctionByName("nothing"), nullptr);
}

TEST(Stopping, AssertionStopsWithCode21AndZeroPasses) {
    EXPECT_EQ(StopErrorCode([] { CheckAssertion(5); }), 21);
    EXPECT_EQ(StopErrorCode([] {
                  CheckAssertion(0);
                  EndProgram();
              }),
              0);
    EXPECT_EQ(StopErrorCode([] {
                  SetErrorCode(9);
                  StopProgram();
              }),
              9);
}

TEST(RuntimeLog, LinesEndInCrLfAndAreAppended) {
    TempDir dir;
    ScopedTmpDir tmp(dir.Path());
    AppendLogLine("first");
    AppendLogLine(RtString());
    AppendLogLine("third");
    EXPECT_EQ(ReadFile(dir / "ErrorLog.txt"), "first\r\n\r\nthird\r\n");
}

#ifndef _WIN32
TEST(RuntimeLog, NeverFollowsASymbolicLink) {
    TempDir dir;
    WriteFile(dir / "precious", "keep me");
    ASSERT_EQ(symlink((dir / "precious").c_str(), (dir / "ErrorLog.txt").c_str()), 0);
    ScopedTmpDir tmp(dir.Path());
    AppendLogLine("attack");
    EXPECT_EQ(ReadFile(dir / "precious"), "keep me");
}
#endif

TEST(RuntimeLog, UnusablePlacesDropTheLineQuietly) {
    TempDir dir;
    {
        ScopedTmpDir tmp(dir / "missing/folder");
        AppendLogLine("lost");
    }
    {
        ScopedTmpDir tmp("mem://00000010.00001000");
        AppendLogLine("never in memory");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Paths, TemporaryFolderAlwaysEndsInASlash) {
#ifdef _WIN32
    {
        ScopedTmpDir tmp("C:\\some\\where");
        EXPECT_EQ(TempDirectory(), "C:\\some\\where\\");
    }
    {
        ScopedTmpDir tmp("C:\\some\\where\\");
        EXPECT_EQ(TempDirectory(), "C:\\some\\where\\");
    }
#else
    {
        ScopedTmpDir tmp("/some/where");
        EXPECT_EQ(TempDirectory(), "/some/where/");
    }
    {
        ScopedTmpDir tmp("/some/where/");
        EXPECT_EQ(TempDirectory(), "/some/where/");
    }
    {
        ScopedTmpDir tmp("");
        EXPECT_EQ(TempDirectory(), "/tmp/");
    }
#endif
    const std::string exe = ExecutablePath();
    EXPECT_TRUE(std::filesystem::exists(exe));
    EXPECT_EQ(ExecutableDirectory(), std::filesystem::path(exe).parent_path().string());
}

}  // namespace
}  // namespace zrv::test
