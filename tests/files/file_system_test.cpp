// Listing, testing, copying and deleting files and folders, the current directory and the
// file requester.
#include <sys/stat.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <filesystem>

#include "file_test_helpers.h"

namespace zrv::test {
namespace {

using Names = std::vector<std::string>;

Names Listed(const RtStringArray& names) {
    Names out;
    for (std::int32_t i = 0; i < names.Size(0); ++i) out.push_back(Text(names.Data()[i]));
    return out;
}

class FileSystemTest : public FilesTest {
protected:
    InFolder here;
};

TEST_F(FileSystemTest, ListFilesGivesFoldersThenMatchingFilesEachSortedWithoutCase) {
    for (const char* name : {"b.MP3", "a.mp3", "x.txt"}) WriteFile(here / name, "data");
    ASSERT_TRUE(std::filesystem::create_directory(here / "Music"));
    RtStringArray names;
    EXPECT_EQ(ListFiles("*.mp3", names), 196610);
    EXPECT_EQ(Listed(names), (Names{".", "..", "Music", "a.mp3", "b.MP3"}));
    EXPECT_EQ(names.Size(0), 5);
}

// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(FileSystemTest, ListFilesAllNamesAndLinksToFolders) {
    for (const char* name : {"README", "Zeta.txt", "_under", "alpha.TXT"}) WriteFile(here / name, "");
    ASSERT_TRUE(std::filesystem::create_directory(here / "sub"));
    ASSERT_EQ(::symlink("sub", (here / "Link").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (here / "dangling").c_str()), 0);
    RtStringArray names;
    DimStringArray(names, 50);  // a larger array is cut down to the listing
    EXPECT_EQ(ListFiles("*.*", names), 5 + 4 * 65536);
    // Case-blind order lowers letters, so '_' (95) sorts before 'a' (97).
    EXPECT_EQ(Listed(names), (Names{".", "..", "Link", "sub", "_under", "alpha.TXT", "dangling", "README", "Zeta.txt"}));

    EXPECT_EQ(ListFiles("*.txt", names), 2 + 4 * 65536);
    EXPECT_EQ(Listed(names), (Names{".", "..", "Link", "sub", "alpha.TXT", "Zeta.txt"}));
}
#endif

TEST_F(FileSystemTest, FileExistsOnlyForReadableFilesAndAnyMemoryName) {
    WriteFile(here / "there.txt", "x");
    ASSERT_TRUE(std::filesystem::create_directory(here / "folder"));
    EXPECT_EQ(FileExists("there.txt"), 1);
    EXPECT_EQ(FileExists("folder"), 0);
    EXPECT_EQ(FileExists("missing.txt"), 0);
    EXPECT_EQ(FileExists(""), 0);
    EXPECT_EQ(FileExists("mem://       1.       0"), 1);
    EXPECT_EQ(FileExists("mem://garbage"), 1);
    EXPECT_EQ(FileExists("MEM://       1.       0"), 0);

    // The file queries never look into the pack.
    WriteFile(here / "pack.bin", PackText({{"packed.txt", Bytes("inside")}}, false));
    SetMediaPacks((here / "pack.bin").c_str(), (here / "pack.bin").c_str());
    EXPECT_EQ(FileExists("packed.txt"), 0);
    RtString usable;
    EXPECT_EQ(ResolveMediaName(MemoryMediaResolver(), "packed.txt", usable, 1), 1);
}

TEST_F(FileSystemTest, IsDirectoryDeleteFileAndCreateDir) {
    WriteFile(here / "file", "x");
    EXPECT_EQ(IsDirectory(here.Path().c_str()), 1);
    EXPECT_EQ(IsDirectory("file"), 0);
    EXPECT_EQ(IsDirectory("missing"), 0);

    EXPECT_EQ(CreateDir("made"), 1);
    EXPECT_EQ(IsDirectory("made"), 1);
    EXPECT_EQ(CreateDir("made"), 0);
    EXPECT_EQ(CreateDir("no/such/parent"), 0);

    EXPECT_NE(DeleteFile("file"), 0);
    EXPECT_FALSE(std::filesystem::exists(here / "file"));
    EXPECT_EQ(DeleteFile("file"), 0);
    EXPECT_EQ(DeleteFile("made"), 0);  // a folder is not a file
    EXPECT_EQ(IsDirectory("made"), 1);
#ifndef _WIN32
    // A device node is no file either.
    EXPECT_EQ(DeleteFile("/dev/null"), 0);
    EXPECT_TRUE(std::filesystem::exists("/dev/null"));
#endif
}

TEST_F(FileSystemTest, CopyFileReplacesTheDestinationAndReadsMemoryFiles) {
    WriteFile(here / "source", std::string(10000, 's'));
    WriteFile(here / "target", std::string(20000, 't'));
    SetErrorCode(5);
    CopyFile("source", "target");
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(ReadFile(here / "target"), std::string(10000, 's'));

    const std::string block("in memory\0with a NUL", 20);
    const RtString name = RegisterMemoryFile(block.data(), static_cast<std::int32_t>(block.size()));
    CopyFile(name, "from-memory");
    EXPECT_EQ(ReadFile(here / "from-memory"), block);
    ReleaseMemoryFile(name);
}

TEST_F(FileSystemTest, CopyFileFailures) {
    WriteFile(here / "target", "kept");
    SetSourcePosition(0, 77);
    CopyFile("missing", "target");
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(GetErrorState().errorLine, 77);
    EXPECT_EQ(ReadFile(here / "target"), "kept");

    WriteFile(here / "source", "abc");
    CopyFile("source", "mem://       3.    1000");
    EXPECT_EQ(GetErrorState().errorCode, 3);
    CopyFile("source", "no/such/folder/target");
    EXPECT_EQ(GetErrorState().errorCode, 3);
    CopyFile("mem://       3.    1000", "target");  // a block nobody registered
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(ReadFile(here / "target"), "kept");
    SetSourcePosition(0, 0);
}

// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(FileSystemTest, CopyFileThatFailsWhileWritingLeavesNoDestination) {
    WriteFile(here / "big", std::string(100000, 'b'));
    WriteFile(here / "target", "old");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Writes beyond 8 KiB fail from here on, as on a full disk.
        const rlimit limit{8192, 8192};
        ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        CopyFile("big", "target");
        _exit(GetErrorState().errorCode == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(here / "target"));
}
#endif

TEST_F(FileSystemTest, CurrentDirectoryEndsInOneSlash) {
    EXPECT_EQ(Text(ReadCurrentDir()), std::filesystem::current_path().generic_string() + "/");
    ASSERT_TRUE(std::filesystem::create_directory(here / "sub"));
    EXPECT_EQ(ChangeDir("sub"), 1);
    EXPECT_EQ(Text(ReadCurrentDir()), std::filesystem::canonical(here / "sub").generic_string() + "/");

    // The root ("/", or the drive's root on Windows) already ends in its slash.
    const std::string root = std::filesystem::current_path().root_path().generic_string();
    SetErrorCode(9);
    EXPECT_EQ(ChangeDir(root.c_str()), 1);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(Text(ReadCurrentDir()), root);

    EXPECT_EQ(ChangeDir("/no/such/folder"), 0);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(Text(ReadCurrentDir()), root);
}

// The chooser programs of the desktops; Windows shows its own dialogs.
#ifndef _WIN32
TEST_F(FileSystemTest, RequestFileNameWithoutADisplayOrChooserGivesNoFile) {
    {
        ScopedEnv noDisplay("DISPLAY", nullptr);
        EXPECT_EQ(Text(RequestFileName(1, "All|*.*")), "NO_FILE");
    }
    ScopedEnv display("DISPLAY", ":97");
    ScopedEnv path("PATH", here.Path().c_str());  // no chooser on it
    EXPECT_EQ(Text(RequestFileName(0, "All|*.*")), "NO_FILE");
}

// A stand-in chooser that records how it was called and answers as the user would.
void InstallChooser(const InFolder& folder, const std::string& name, const std::string& answer, int exitCode) {
    const std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + folder / "args" +
                               "\"\nprintf '%s\\n' '" + answer + "'\nexit " + std::to_string(exitCode) + "\n";
    WriteFile(folder / name, script);
    ASSERT_EQ(::chmod((folder / name).c_str(), 0755), 0);
}

TEST_F(FileSystemTest, RequestFileNameAsksTheInstalledChooser) {
    ScopedEnv display("DISPLAY", ":97");
    ScopedEnv path("PATH", here.Path().c_str());
    InstallChooser(here, "zenity", "/music/a b.mp3", 0);
    EXPECT_EQ(Text(RequestFileName(1, "Music|*.mp3;*.wav|All files|*.*")), "/music/a b.mp3");
    EXPECT_EQ(ReadFile(here / "args"), "--file-selection\n--filename=" + CurrentDirectory() +
                                           "/\n--file-filter=Music | *.mp3 *.wav\n--file-filter=All files | *.*\n");

    EXPECT_EQ(Text(RequestFileName(0, "Text|*.txt")), "/music/a b.mp3");
    EXPECT_NE(ReadFile(here / "args").find("--save\n"), std::string::npos);

    InstallChooser(here, "zenity", "", 1);  // cancelled
    EXPECT_EQ(Text(RequestFileName(1, "All|*.*")), "NO_FILE");

    ASSERT_EQ(::unlink((here / "zenity").c_str()), 0);
    InstallChooser(here, "kdialog", "/picked.txt", 0);
    EXPECT_EQ(Text(RequestFileName(1, "Text|*.txt;*.md")), "/picked.txt");
    EXPECT_EQ(ReadFile(here / "args"), "--getopenfilename\n" + CurrentDirectory() + "/\n*.txt *.md|Text\n");
}

#endif

}  // namespace
}  // namespace zrv::test
