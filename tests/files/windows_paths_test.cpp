// Windows only: drive letters, both slashes and names without regard to letter case, as the
// system the programs were written for has them.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "files/ascii.h"
#include "files/replace_file.h"
#include "files/rt_file.h"
#include "platform/paths.h"
#include "support/temp_dir.h"
#include "zorvane.h"

namespace zrv::test {
namespace {

std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

// Runs the test inside a fresh folder; the previous directory comes back at the end.
class WindowsPathsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ChangeDir(folder.Path().c_str()), 1); }
    void TearDown() override { ChangeDir(previous); }
    TempDir folder;
    RtString previous = ReadCurrentDir();
};

TEST_F(WindowsPathsTest, DrivesAreLowerCaseLettersWithColonAndSlashInLetterOrderAndCanBeEntered) {
    RtStringArray roots;
    const auto count = static_cast<std::int32_t>(ListDriveRoots(roots));
    ASSERT_GE(count, 1);
    std::string previousRoot;
    bool hasC = false;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string root = Text(roots(i));
        ASSERT_EQ(root.size(), 3u) << root;
        EXPECT_TRUE(root[0] >= 'a' && root[0] <= 'z') << root;
        EXPECT_EQ(root.substr(1), ":/") << root;
        EXPECT_LT(previousRoot, root);
        previousRoot = root;
        hasC = hasC || root == "c:/";
    }
    EXPECT_TRUE(hasC);
    // The root of a drive reads back with one slash only.
    ASSERT_EQ(ChangeDir("c:/"), 1);
    EXPECT_TRUE(EqualIgnoringCase(Text(ReadCurrentDir()), "c:/")) << Text(ReadCurrentDir());
}

TEST_F(WindowsPathsTest, BothSlashesSeparateFoldersAndPathsComeBackWithForwardSlashes) {
    ASSERT_EQ(CreateDir("sub"), 1);
    ASSERT_EQ(CreateDir("sub/inner"), 1);
    WriteFile(folder / "sub/inner/a.txt", "text");
    EXPECT_EQ(FileExists("sub/inner/a.txt"), 1);
    EXPECT_EQ(FileExists("sub\\inner\\a.txt"), 1);
    EXPECT_EQ(FileExists("sub/inner\\a.txt"), 1);
    EXPECT_EQ(IsDirectory("sub\\inner"), 1);
    EXPECT_EQ(IsDirectory("sub/inner"), 1);

    ASSERT_EQ(ChangeDir("sub\\inner"), 1);
    const std::string current = Text(ReadCurrentDir());
    EXPECT_EQ(current.find('\\'), std::string::npos) << current;
    EXPECT_TRUE(current.ends_with("/sub/inner/")) << current;
    RtStringArray names;
    EXPECT_EQ(ListFiles("*.*", names), 1 + 2 * 65536.0);
    EXPECT_EQ(Text(names(2)), "a.txt");
}

TEST_F(WindowsPathsTest, NamesAreFoundWhateverTheirLetterCase) {
    ASSERT_EQ(CreateDir("Media"), 1);
    WriteFile(folder / "Media/Font.bmp", "BM");
    EXPECT_EQ(FileExists("media/FONT.BMP"), 1);
    EXPECT_EQ(IsDirectory("MEDIA"), 1);
    RtString usable;
    EXPECT_EQ(ResolveMediaName(FileMediaResolver(), "MEDIA/font.BMP", usable, 0), 1);
    EXPECT_EQ(Text(usable), "MEDIA/font.BMP");
    // Writing under the name in another case replaces the file, it adds none beside it.
    RtFile file;
    ASSERT_TRUE(file.OpenWrite("MEDIA/FONT.BMP"));
    ASSERT_TRUE(file.WriteBytes("BM2", 3));
    file.Close();
    EXPECT_EQ(ReadFile(folder / "Media/Font.bmp"), "BM2");
    RtStringArray names;
    ASSERT_EQ(ChangeDir("media"), 1);
    EXPECT_EQ(ListFiles("*.bmp", names), 1 + 2 * 65536.0);
}

TEST_F(WindowsPathsTest, WritingBackReplacesAnExistingFileAndLeavesNothingBeside) {
    WriteFile(folder / "settings.ini", "old contents");
    ASSERT_TRUE(ReplaceFileContents(folder / "settings.ini", "new"));
    ASSERT_TRUE(ReplaceFileContents(folder.Path() + "\\settings.ini", "newer"));
    EXPECT_EQ(ReadFile(folder / "settings.ini"), "newer");
    std::int32_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++entries;
        EXPECT_EQ(entry.path().filename().string(), "settings.ini");
    }
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(AbsolutePath("x.ini").ends_with("/x.ini"));
    EXPECT_EQ(AbsolutePath("d:\\x.ini"), "d:\\x.ini");
}

// The media pack is the running executable itself, which the system's loader holds open.
TEST_F(WindowsPathsTest, TheRunningExecutableReadsAsAFileWhileAnotherReaderHoldsIt) {
    const std::string executable = ExecutablePath();
    RtFile first;
    ASSERT_TRUE(first.OpenRead(executable.c_str())) << executable;
    RtFile second;
    ASSERT_TRUE(second.OpenRead(executable.c_str()));
    EXPECT_EQ(second.Size(), static_cast<std::int32_t>(std::filesystem::file_size(executable)));
    char magic[2] = {};
    ASSERT_TRUE(second.ReadBytes(magic, 2));
    EXPECT_EQ(std::string(magic, 2), "MZ");
    EXPECT_EQ(FileExists(executable.c_str()), 1);
}

}  // namespace
}  // namespace zrv::test
#endif
