// Configuration files: parsing, changes and write-back.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "file_test_helpers.h"
#include "files/config_store.h"

namespace zrv::test {
namespace {

class ConfigFileTest : public FilesTest {
protected:
    InFolder here;
};

std::string Value(const char* section, const char* key) { return Text(ReadConfigValue(section, key)); }

std::vector<std::string> SectionNames() {
    std::vector<std::string> names;
    for (const ConfigSection& section : Files().config.configSections) names.push_back(section.name);
    return names;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

#ifndef _WIN32
void ChangeAndWriteBack(const char* name, const char* value) {
    OpenConfigFile(name);
    WriteConfigValue("A", "k", value);
    OpenConfigFile("");
}
#endif

TEST_F(ConfigFileTest, NamesCompareWithoutCaseAndTrailingSpacesAreKept) {
    WriteFile(here / "settings.ini", "; comment\r\n[Audio]\r\nVolume = 0.8 \r\n");
    OpenConfigFile("settings.ini");
    EXPECT_EQ(Value("audio", "VOLUME"), "0.8 ");
    EXPECT_EQ(Value("Audio", "Balance"), "NO_DATA");
    EXPECT_EQ(Value("Video", "Volume"), "NO_DATA");
}

TEST_F(ConfigFileTest, ParsingRules) {
    const auto sections = ParseConfig(
        "top=level\n"
        "  \t[ Two Words]\n"
        "key\n"                   // no '=': ignored
        "key value\n"             // no '=' after the key: ignored
        "empty =   \r\n"          // empty value: ignored
        "a=1\n"
        "A=2\n"                   // a second key of the same name; the first is found
        "b\t=\t x = y\t\r\n"      // value after blanks, '=' inside kept, control end removed
        "  ; indented comment\n"
        "[Nothing]\n"             // no keys: dropped
        "[tail]]\n"               // one ']' removed, the other belongs to the name
        "c=3");                   // the last line needs no line end
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].name, "");
    ASSERT_EQ(sections[0].keys.size(), 1u);
    EXPECT_EQ(sections[0].keys[0].key, "top");
    EXPECT_EQ(sections[1].name, "Two");
    ASSERT_EQ(sections[1].keys.size(), 3u);
    EXPECT_EQ(sections[1].keys[0].value, "1");
    EXPECT_EQ(sections[1].keys[2].key, "b");
    EXPECT_EQ(sections[1].keys[2].value, "x = y");
    EXPECT_EQ(sections[2].name, "tail]");
    EXPECT_EQ(sections[2].keys[0].value, "3");

    WriteFile(here / "rules.ini", "[ Two Words]\na=1\nA=2\n");
    OpenConfigFile("rules.ini");
    EXPECT_EQ(Value("two", "a"), "1");
}

TEST_F(ConfigFileTest, WriteBackAtTheSwitchDropsCommentsAndEmptySections) {
    WriteFile(here / "a.ini", "; kept? no\r\n[Audio]\r\nVolume = 0.8 \r\n\r\n[Empty]\r\n[Video]\r\nMode=1\r\n");
    OpenConfigFile("a.ini");
    WriteConfigValue("Video", "mode", "2");
    WriteConfigValue("Audio", "Balance", "-1");
    WriteConfigValue("New", "Key", "v");
    EXPECT_EQ(Value("new", "key"), "v");
    OpenConfigFile("b.ini");
    EXPECT_EQ(ReadFile(here / "a.ini"),
              "[Audio]\r\nVolume=0.8 \r\nBalance=-1\r\n[Video]\r\nMode=2\r\n[New]\r\nKey=v\r\n");
    // Nothing beside it but the files themselves: the new contents replaced the old by
    // renaming, and b.ini, never written to, does not exist.
    EXPECT_EQ(FilesIn(here.Path()), (std::vector<std::string>{"a.ini"}));

    OpenConfigFile("a.ini");
    EXPECT_EQ(Value("VIDEO", "MODE"), "2");
}

TEST_F(ConfigFileTest, AnUnchangedFileIsNotWrittenBack) {
    const std::string text = "; my notes\n[A]\nk=v\n";
    WriteFile(here / "a.ini", text);
    OpenConfigFile("a.ini");
    EXPECT_EQ(Value("A", "k"), "v");
    OpenConfigFile("other.ini");
    EXPECT_EQ(ReadFile(here / "a.ini"), text);
}

TEST_F(ConfigFileTest, DeletingTheFirstOfThreeSectionsMovesTheLastIntoItsPlace) {
    WriteFile(here / "three.ini", "[first]\na=1\n[second]\nb=2\n[third]\nc=3\n");
    OpenConfigFile("three.ini");
    WriteConfigValue("FIRST", "", "");
    EXPECT_EQ(SectionNames(), (std::vector<std::string>{"third", "second"}));
    WriteConfigValue("missing", "", "");
    EXPECT_EQ(SectionNames(), (std::vector<std::string>{"third", "second"}));
    WriteConfigValue("second", "", "");
    WriteConfigValue("third", "", "");
    EXPECT_TRUE(SectionNames().empty());
    OpenConfigFile("");
    EXPECT_EQ(ReadFile(here / "three.ini"), "");
}

// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(ConfigFileTest, AMissingFileStartsEmptyAndIsCreatedWithTheUsualPermissions) {
    OpenConfigFile("new.ini");
    EXPECT_EQ(Value("", ""), "NO_DATA");
    EXPECT_FALSE(std::filesystem::exists(here / "new.ini"));
    WriteConfigValue("S", "k", "v");
    OpenConfigFile("");
    EXPECT_EQ(ReadFile(here / "new.ini"), "[S]\r\nk=v\r\n");

    // A file that was private stays private.
    ASSERT_EQ(::chmod((here / "new.ini").c_str(), 0600), 0);
    OpenConfigFile("new.ini");
    WriteConfigValue("S", "k", "w");
    OpenConfigFile("");
    struct stat info {};
    ASSERT_EQ(::stat((here / "new.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}
#endif

// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(ConfigFileTest, WriteBackGoesWhereTheFileWasReadAndNeverOverADevice) {
    WriteFile(here / "where.ini", "[A]\nk=1\n");
    OpenConfigFile("where.ini");
    WriteConfigValue("A", "k", "2");
    ASSERT_EQ(ChangeDir("/"), 1);
    OpenConfigFile("");
    EXPECT_EQ(ReadFile(here / "where.ini"), "[A]\r\nk=2\r\n");
    ASSERT_EQ(ChangeDir(here.Path().c_str()), 1);

    // A link stays a link; the file it names gets the contents.
    WriteFile(here / "real.ini", "[A]\nk=1\n");
    ASSERT_EQ(::symlink("real.ini", (here / "link.ini").c_str()), 0);
    ChangeAndWriteBack("link.ini", "3");
    EXPECT_TRUE(std::filesystem::is_symlink(here / "link.ini"));
    EXPECT_EQ(ReadFile(here / "real.ini"), "[A]\r\nk=3\r\n");

    // A link whose file is missing, through a second link: the file is made, as for a
    // missing name.
    std::filesystem::create_directory(here / "sub");
    ASSERT_EQ(::symlink("sub/hop.ini", (here / "dangling.ini").c_str()), 0);
    ASSERT_EQ(::symlink("made.ini", (here / "sub/hop.ini").c_str()), 0);
    ChangeAndWriteBack("dangling.ini", "4");
    EXPECT_TRUE(std::filesystem::is_symlink(here / "dangling.ini"));
    EXPECT_EQ(ReadFile(here / "sub/made.ini"), "[A]\r\nk=4\r\n");

    // A loop of links and a device are never written, and nothing is left beside them.
    ASSERT_EQ(::symlink("loop.ini", (here / "loop.ini").c_str()), 0);
    ChangeAndWriteBack("loop.ini", "5");
    EXPECT_TRUE(std::filesystem::is_symlink(here / "loop.ini"));
    ChangeAndWriteBack("/dev/null", "v");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(FilesIn(here.Path()),
              (std::vector<std::string>{"dangling.ini", "link.ini", "loop.ini", "real.ini", "sub", "where.ini"}));
}
#endif

// Such a name never ends its data (or waits for a writer): it reads as a missing file, and
// the changes made to it are not written into the device.
// Links, devices, pipes, permissions and child processes as POSIX has them.
#ifndef _WIN32
TEST_F(ConfigFileTest, ADeviceOrAPipeReadsAsAMissingFileAndIsNeverWrittenBack) {
    const std::vector<std::string> names = MakeEndlessNames(here, ".ini");
    const std::string report = InChildWithin(20, [&names] {
        std::string seen;
        for (const std::string& name : names) {
            OpenConfigFile(name.c_str());
            seen += name + " " + std::to_string(Files().config.configSections.size()) + "; ";
            WriteConfigValue("A", "k", "v");
        }
        OpenConfigFile("");
        return seen;
    });
    EXPECT_EQ(report, "zero.ini 0; random.ini 0; pipe.ini 0; ");
    ExpectEndlessNamesKept(here, names);
}
#endif

TEST_F(ConfigFileTest, NamesUpToTheLongestAFolderTakesAreWrittenBack) {
    for (const std::size_t length : {249u, 255u}) {
        const std::string name = std::string(length - 4, 'c') + ".ini";
        OpenConfigFile(name.c_str());
        WriteConfigValue("S", "k", "v");
        OpenConfigFile("");
        EXPECT_EQ(ReadFile(here / name), "[S]\r\nk=v\r\n") << length;
    }
    EXPECT_EQ(FilesIn(here.Path()).size(), 2u);
}

TEST_F(ConfigFileTest, AConfigurationFromMemoryOrThePackIsNeverWrittenToItsMemoryName) {
    const RtString memory = RegisterMemoryFile("[A]\nk=mem\n", 10);
    OpenConfigFile(memory);
    EXPECT_EQ(Value("a", "k"), "mem");
    WriteConfigValue("A", "k", "changed");
    OpenConfigFile("");
    EXPECT_EQ(FilesIn(here.Path()), std::vector<std::string>{});
    ReleaseMemoryFile(memory);

    // From the pack it is written back as a disk file under the name the program used.
    WriteFile(here / "pack.bin", PackText({{"game.ini", Bytes("[A]\nk=packed\n")}}, false));
    SetMediaPacks((here / "pack.bin").c_str(), "");
    OpenConfigFile("game.ini");
    EXPECT_EQ(Value("a", "k"), "packed");
    WriteConfigValue("A", "j", "new");
    OpenConfigFile("");
    EXPECT_EQ(ReadFile(here / "game.ini"), "[A]\r\nk=packed\r\nj=new\r\n");
}

}  // namespace
}  // namespace zrv::test
