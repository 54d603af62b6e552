// Whole programs: files packed by the pack tool into a program and read back by it, and
// the stores written back at the program's end.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "file_test_helpers.h"
#include "support/child_process.h"
#include "support/environment.h"

namespace zrv::test {
namespace {

namespace fs = std::filesystem;

std::string Noise(std::size_t n, unsigned seed, bool compressible) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<char>(compressible ? (i / 37 % 5 == 0 ? generator() : i % 11) : generator());
    }
    return bytes;
}

ChildResult Pack(const std::vector<std::string>& args) {
    ChildOptions options;
    options.args = args;
    return RunChild(ZRV_PACK_TOOL, options);
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FilesProgram, FilesPackedIntoTheExecutableReadBackByteForByte) {
    TempDir work;
    for (const char* folder : {"src", "app", "out", "tmp"}) fs::create_directory(work / folder);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"font.bmp", Noise(200000, 1, true)},
        {"music.mp3", Noise(100000, 2, false)},
        {"text.txt", "first line\r\nsecond\r\n"},
        {"empty.dat", ""},
    };
    // The copy keeps the program's extension, which Windows needs to start it.
    const std::string probe = "probe" + fs::path(TestProgram("files_probe")).extension().string();
    std::vector<std::string> args = {"--append", work / ("app/" + probe)};
    for (const auto& [name, contents] : files) {
        WriteFile(work / ("src/" + name), contents);
        args.push_back(work / ("src/" + name));
    }
    fs::copy_file(TestProgram("files_probe"), work / ("app/" + probe));
    const auto hostSize = fs::file_size(work / ("app/" + probe));

    const ChildResult packed = Pack(args);
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_GT(fs::file_size(work / ("app/" + probe)), hostSize);
    EXPECT_EQ(Entries(work / "app"), std::vector<std::string>{probe});

    ChildOptions options;
    options.env = {{"FILES_PROBE", "round_trip"},
                   {"FILES_DIR", work / "out"},
                   {"FILES_NAMES", "missing.png|media/Font.BMP|music.mp3|TEXT.TXT|empty.dat"},
                   {kTempFolderVariable, work / "tmp"}};
    const ChildResult run = RunChild(work / ("app/" + probe), options);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string stem = work / ("out/" + std::to_string(i + 1));
        EXPECT_EQ(ReadFile(stem + ".channel"), files[i].second) << files[i].first;
        EXPECT_EQ(ReadFile(stem + ".file"), files[i].second) << files[i].first;
    }
    // The temporary folder as the system gives it.
    EXPECT_NE(run.out.find("file " + fs::path(work / "tmp/sbx").make_preferred().string()), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("no channel for missing.png\nno file for missing.png\n"), std::string::npos) << run.out;
    // The file extracted last went with the program's end. Only the runtime's own files
    // count: libraries the program loads may keep things of theirs in the same folder.
    for (const std::string& name : Entries(work / "tmp")) EXPECT_NE(name.rfind("sbx", 0), 0u) << name;
    EXPECT_TRUE(fs::is_regular_file(work / "tmp/ErrorLog.txt"));
}

TEST(FilesProgram, KnowsTheFolderItWasStartedInAfterEnteringItsOwn) {
    TempDir start;
    TempDir tmp;
    ChildOptions options;
    options.env = {{"FILES_PROBE", "folders"}, {kTempFolderVariable, tmp.Path()}};
    options.workingDir = start.Path();
    const ChildResult run = RunChild(TestProgram("files_probe"), options);
    ASSERT_TRUE(run.exited);
    const std::string programFolder = fs::path(TestProgram("files_probe")).parent_path().string();
    EXPECT_EQ(run.out, "start " + fs::canonical(start.Path()).generic_string() + "/\ncurrent " +
                           fs::canonical(programFolder).generic_string() + "/\n");
}

TEST(FilesProgram, StoresAreWrittenBackAtTheEndWhereTheyWereRead) {
    TempDir work;
    TempDir tmp;
    ChildOptions options;
    options.env = {{"FILES_PROBE", "store_at_end"}, {"FILES_DIR", work.Path()}, {kTempFolderVariable, tmp.Path()}};
    const ChildResult run = RunChild(TestProgram("files_probe"), options);
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadFile(work / "lines.txt"), "\r\n\r\n\r\n\r\n\r\nfive\r\n");
    EXPECT_EQ(ReadFile(work / "game.ini"), "[Player]\r\nName=Ada \r\n");
    EXPECT_EQ(Entries(work.Path()), (std::vector<std::string>{"game.ini", "lines.txt"}));
}

TEST(PackTool, WritesAStandAlonePackTheRuntimeReads) {
    InFolder here;
    WriteFile(here / "a.txt", "alpha");
    WriteFile(here / "B.BIN", Noise(5000, 3, true));
    const ChildResult packed = Pack({"-o", here / "media.pak", here / "a.txt", here / "B.BIN"});
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    ASSERT_EQ(::unlink((here / "a.txt").c_str()), 0);
    SetMediaPacks((here / "media.pak").c_str(), "");
    RtString usable;
    ASSERT_EQ(ResolveMediaName(MemoryMediaResolver(), "A.TXT", usable, 1), 1);
    EXPECT_EQ(FileSizeOf(usable), 5);
    SetMediaPacks("", "");
}

// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST(PackTool, RefusesBadArgumentsAndNeverDamagesTheHost) {
    TempDir here;
    const std::string host = "host bytes \x7f\x45\x4c\x46";
    WriteFile(here / "host", host);
    ASSERT_EQ(::chmod((here / "host").c_str(), 0751), 0);
    WriteFile(here / "a.txt", "a");
    fs::create_directory(here / "A.TXT.d");
    WriteFile(here / "A.TXT.d/A.TXT", "upper");

    struct Refusal {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const Refusal refusals[] = {
        {{}, 2, "-o PACK or --append HOST"},
        {{"--append", here / "host"}, 2, "no files to pack"},
        {{"--append"}, 2, "--append needs a file name"},
        {{"--bogus", "x"}, 2, "unknown option --bogus"},
        {{"-o", "x", "-o", "y", "z"}, 2, "-o given twice"},
        {{"--append", here / "host", here / "a.txt", here / "A.TXT.d/A.TXT"}, 2, "two files are named"},
        {{"--append", here / "host", here / "missing.txt"}, 1, "cannot read"},
        {{"--append", here / "host", here / "A.TXT.d"}, 1, "is not a regular file"},
        {{"--append", here / "missing-host", here / "a.txt"}, 1, "cannot read"},
        {{"--append", here / "host", "-o", here / "no/such/dir/out", here / "a.txt"}, 1, "cannot create"},
    };
    for (const Refusal& refusal : refusals) {
        const ChildResult result = Pack(refusal.args);
        EXPECT_EQ(result.exitCode, refusal.exitCode) << refusal.message;
        EXPECT_NE(result.err.find(refusal.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadFile(here / "host"), host);
    EXPECT_EQ(Entries(here.Path()), (std::vector<std::string>{"A.TXT.d", "a.txt", "host"}));

    EXPECT_EQ(Pack({"--help"}).exitCode, 0);
    const ChildResult appended = Pack({"--append", here / "host", here / "a.txt"});
    ASSERT_EQ(appended.exitCode, 0) << appended.err;
    EXPECT_EQ(ReadFile(here / "host").substr(0, host.size()), host);
    struct stat info {};
    ASSERT_EQ(::stat((here / "host").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
    // A second pack on the same host is noted, and the new one is what lookups see.
    const ChildResult again = Pack({"--append", here / "host", here / "A.TXT.d/A.TXT"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("already ends with a media pack"), std::string::npos);
    SetMediaPacks((here / "host").c_str(), "");
    RtString usable;
    ASSERT_EQ(ResolveMediaName(MemoryMediaResolver(), "no/folder/a.txt", usable, 1), 1);
    EXPECT_EQ(FileSizeOf(usable), 5);  // "upper"
    SetMediaPacks("", "");
}
#endif

}  // namespace
}  // namespace zrv::test
