// Line files: reading and writing by line number, and write-back at every switch.
#include <filesystem>

#include "file_test_helpers.h"

namespace zrv::test {
namespace {

class LineFileTest : public FilesTest {
protected:
    InFolder here;
};

std::string Line(const char* name, double index) {
    RtString text = "untouched";
    ReadFileLine(name, index, text);
    return Text(text);
}

TEST_F(LineFileTest, ReadsLinesWithoutTrailingControlCharacters) {
    WriteFile(here / "a.txt", "zero\r\n\r\n  two \t\r\n3.5\n-7x");
    EXPECT_EQ(Line("a.txt", 0), "zero");
    EXPECT_EQ(Line("a.txt", 1), "NO_DATA");
    EXPECT_EQ(Line("a.txt", 2), "  two ");
    EXPECT_EQ(Line("a.txt", 4), "-7x");
    EXPECT_EQ(Line("a.txt", 5), "NO_DATA");
    EXPECT_EQ(Line("a.txt", 255.9), "NO_DATA");
    double d = 0;
    std::int32_t i = 0;
    ReadFileLineNumber("a.txt", 3, d);
    EXPECT_EQ(d, 3.5);
    ReadFileLineInt("a.txt", 4, i);
    EXPECT_EQ(i, -7);
    ReadFileLineInt("a.txt", 1, i);
    EXPECT_EQ(i, 0);
}

TEST_F(LineFileTest, IndicesOutsideTheStoreGiveError7AndTheProgramGoesOn) {
    WriteFile(here / "a.txt", "x\n");
    EXPECT_EQ(Line("a.txt", 300), "NO_DATA");
    EXPECT_EQ(GetErrorState().errorCode, 7);
    ClearErrorCode();
    EXPECT_EQ(Line("a.txt", -1), "NO_DATA");
    EXPECT_EQ(GetErrorState().errorCode, 7);
    EXPECT_EQ(WriteFileLine("a.txt", 256, "no"), 7);
    EXPECT_EQ(WriteFileLineNumber("a.txt", 1e12, 1), 7);
    Line("", 0);
    EXPECT_EQ(ReadFile(here / "a.txt"), "x\n");
}

TEST_F(LineFileTest, AMissingFileReadsAsNoFileButCanBeWritten) {
    ClearErrorCode();
    EXPECT_EQ(Line("new.txt", 0), "NO_FILE");
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(Line("new.txt", 0), "NO_FILE");
    double d = 1;
    ReadFileLineNumber("new.txt", 0, d);
    EXPECT_EQ(d, 0);

    ClearErrorCode();
    EXPECT_EQ(WriteFileLine("new.txt", 5, "five"), 0);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(Line("new.txt", 5), "five");
    EXPECT_EQ(Line("new.txt", 4), "NO_DATA");
    EXPECT_FALSE(std::filesystem::exists(here / "new.txt"));
    EXPECT_EQ(Line("other.txt", 0), "NO_FILE");
    EXPECT_EQ(ReadFile(here / "new.txt"), "\r\n\r\n\r\n\r\n\r\nfive\r\n");
}

TEST_F(LineFileTest, TwoFilesUsedAlternatelyAreWrittenBackAtEverySwitch) {
    WriteFile(here / "a.txt", "a0\na1\n");
    WriteFile(here / "b.txt", "b0\n");
    WriteFileLine("a.txt", 1, "A1");
    WriteFileLineNumber("b.txt", 2, 0.25);
    EXPECT_EQ(ReadFile(here / "a.txt"), "a0\r\nA1\r\n");
    WriteFileLine("a.txt", 0, "A0");
    EXPECT_EQ(ReadFile(here / "b.txt"), "b0\r\n\r\n0.25\r\n");
    EXPECT_EQ(Line("b.txt", 2), "0.25");
    EXPECT_EQ(ReadFile(here / "a.txt"), "A0\r\nA1\r\n");
    // Reading only does not rewrite a file.
    WriteFile(here / "c.txt", "c\n");
    EXPECT_EQ(Line("c.txt", 0), "c");
    EXPECT_EQ(Line("a.txt", 0), "A0");
    EXPECT_EQ(ReadFile(here / "c.txt"), "c\n");
}

// Such a name never ends its data (or has none): it is no file, and the lines written to
// it are not written into the device.
// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(LineFileTest, ADeviceOrAPipeIsNoFileAndIsNeverWrittenBack) {
    const std::vector<std::string> names = MakeEndlessNames(here, ".txt");
    const std::string report = InChildWithin(20, [&names] {
        std::string seen;
        for (const std::string& name : names) {
            ClearErrorCode();
            const std::string line = Line(name.c_str(), 0);
            seen += name + " " + line + " " + std::to_string(GetErrorState().errorCode) + "; ";
            WriteFileLine(name.c_str(), 1, "one");
        }
        Line("", 0);
        return seen;
    });
    EXPECT_EQ(report, "zero.txt NO_FILE 3; random.txt NO_FILE 3; pipe.txt NO_FILE 3; ");
    ExpectEndlessNamesKept(here, names);
}
#endif

TEST_F(LineFileTest, ANameOfTheLongestLengthAFolderTakesIsWrittenBack) {
    const std::string name = std::string(251, 'l') + ".txt";
    EXPECT_EQ(WriteFileLine(name.c_str(), 1, "one"), 0);
    EXPECT_EQ(Line("other.txt", 0), "NO_FILE");
    EXPECT_EQ(ReadFile(here / name), "\r\none\r\n");
}

TEST_F(LineFileTest, At256LinesAnd1023CharactersTheStoreIsFull) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\n";
    text.replace(0, 7, std::string(1500, 'x') + "\n");
    WriteFile(here / "big.txt", text);
    EXPECT_EQ(Line("big.txt", 0), std::string(1023, 'x'));
    EXPECT_EQ(Line("big.txt", 1), "line 1");
    EXPECT_EQ(Line("big.txt", 255), "line 255");

    WriteFileLine("big.txt", 3, std::string(2000, 'y').c_str());
    EXPECT_EQ(Line("big.txt", 3), std::string(1023, 'y'));
    EXPECT_EQ(Line("", 0), "NO_FILE");
    std::string expected;
    for (int i = 0; i < 256; ++i) {
        expected += (i == 0 ? std::string(1023, 'x') : i == 3 ? std::string(1023, 'y') : "line " + std::to_string(i)) + "\r\n";
    }
    EXPECT_EQ(ReadFile(here / "big.txt"), expected);
}

}  // namespace
}  // namespace zrv::test
