// Name resolution through the media pack: what is found, where it comes from, what a
// resolver keeps, and how it copes with damaged packs.
#include <filesystem>
#include <random>

#include "file_test_helpers.h"
#include "files/little_endian.h"
#include "files/media_resolver.h"
#include "files/rt_file.h"

namespace zrv::test {
namespace {

struct Resolved {
    std::int32_t result;
    std::string out;
};

Resolved Resolve(const std::string& name, bool memory) {
    RtString out = "untouched";
    const std::int32_t result =
        ResolveMediaName(memory ? MemoryMediaResolver() : FileMediaResolver(), name.c_str(), out, memory ? 1 : 0);
    return {result, Text(out)};
}

// Everything the usable name opens to, or "<cannot open>".
std::string Contents(const std::string& usable) {
    RtFile file;
    if (!file.OpenRead(usable.c_str())) return "<cannot open>";
    std::string bytes(static_cast<std::size_t>(file.OpenedSize()), '\0');
    EXPECT_TRUE(file.ReadBytes(bytes.data(), file.OpenedSize()));
    return bytes;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes) c = static_cast<char>(generator() % 7 == 0 ? generator() : 'a' + generator() % 3);
    return bytes;
}

class MediaPackTest : public FilesTest {
protected:
    void UsePack(const std::string& bytes) {
        WriteFile(here / "pack.bin", bytes);
        SetMediaPacks((here / "pack.bin").c_str(), (here / "pack.bin").c_str());
    }

    InFolder here;
    TempDir temporary;
    ScopedEnv tmpdir{kTempFolderVariable, temporary.Path().c_str()};
};

void PutInt32(std::string& bytes, std::size_t at, std::int32_t value) {
    StoreLittleEndian(value, bytes.data() + at);
}

std::int32_t GetInt32(const std::string& bytes, std::size_t at) {
    return LoadLittleEndian<std::int32_t>(bytes.data() + at);
}

TEST_F(MediaPackTest, HandMadePackGivesTheTemporaryNameFromPositionAndSize) {
    // 26 literal bytes as an LZO1X stream: a literal run of 17 + 26, the bytes, the end.
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    std::string stream = std::string(1, static_cast<char>(17 + 26)) + letters + std::string("\x11\0\0", 3);
    std::string pack(0x41, 'F');
    pack += std::string(4, '\0') + stream;
    PutInt32(pack, 0x41, 26);
    ASSERT_EQ(pack.size(), 0x41u + 0x22u);
    const std::size_t directory = pack.size();
    pack += std::string("\x08") + "font.bmp" + std::string(8, '\0') + std::string(1, '\0') + "sbX" + std::string(4, '\0');
    PutInt32(pack, directory + 9, 0x41);
    PutInt32(pack, directory + 13, 0x22);
    PutInt32(pack, pack.size() - 4, static_cast<std::int32_t>(directory));
    UsePack(pack);

    const Resolved file = Resolve("Media/Font.BMP", false);
    EXPECT_EQ(file.result, 1);
    EXPECT_EQ(std::filesystem::path(file.out), std::filesystem::path(temporary / "sbxNIfont.bmp"));
    EXPECT_EQ(ReadFile(file.out), letters);
    EXPECT_EQ(TemporaryFileName("font.bmp", 0x41, 0x22), "sbxNIfont.bmp");

    // The next lookup through the same resolver removes the file.
    EXPECT_EQ(Resolve("other.png", false).result, 0);
    EXPECT_FALSE(std::filesystem::exists(file.out));

    const Resolved memory = Resolve("font.bmp", true);
    EXPECT_EQ(memory.result, 1);
    EXPECT_EQ(memory.out.substr(0, 15), "mem://      1a.");
    EXPECT_EQ(Contents(memory.out), letters);
}

TEST_F(MediaPackTest, ANameOnDiskWinsOverThePackAndIsReturnedAsWritten) {
    UsePack(PackText({{"font.bmp", Bytes("packed")}}, false));
    ASSERT_TRUE(std::filesystem::create_directory(here / "media"));
    WriteFile(here / "media/font.bmp", "on disk");
    const Resolved disk = Resolve("media/font.bmp", true);
    EXPECT_EQ(disk.result, 1);
    EXPECT_EQ(disk.out, "media/font.bmp");
    EXPECT_EQ(Contents(disk.out), "on disk");

    // A folder of the name is not a file: the pack answers.
    ASSERT_TRUE(std::filesystem::create_directory(here / "font.bmp"));
    const Resolved packed = Resolve("font.bmp", true);
    EXPECT_EQ(packed.result, 1);
    EXPECT_EQ(Contents(packed.out), "packed");

    // "mem://" names count as existing without a look at the block.
    EXPECT_EQ(Resolve("mem://anything", true).result, 1);
    EXPECT_EQ(Resolve("mem://anything", true).out, "mem://anything");
}

TEST_F(MediaPackTest, BaseNamesMatchTheEndOfEntryNamesWithoutCase) {
    UsePack(PackText({{"Font.bmp", Bytes("first")},
                      {"gfx/FONT.BMP", Bytes("second")},
                      {"smalfont.png", Bytes("third")}},
                     false));
    EXPECT_EQ(Contents(Resolve("Media/Font.BMP", true).out), "first");
    EXPECT_EQ(Contents(Resolve("a\\b\\font.bmp", true).out), "first");
    // An entry matches when its name ends with the base name; the first such entry wins.
    EXPECT_EQ(Contents(Resolve("font.png", true).out), "third");
    // Folders of the request play no part, so the second entry is never reached.
    EXPECT_EQ(Contents(Resolve("gfx/FONT.BMP", true).out), "first");

    const Resolved missing = Resolve("nothing.bmp", true);
    EXPECT_EQ(missing.result, 0);
    EXPECT_EQ(missing.out, "");
    // A name ending in a separator names no file.
    EXPECT_EQ(Resolve("media/", true).result, 0);
    const Resolved empty = Resolve("", true);
    EXPECT_EQ(empty.result, 0);
    EXPECT_EQ(empty.out, "");
}

TEST_F(MediaPackTest, EntryNamesCannotPlaceTemporaryFilesOutsideTheFolder) {
    UsePack(PackText({{"../../escape.txt", Bytes("x")}, {"..", Bytes("dots")}}, false));
    const Resolved escaped = Resolve("escape.txt", false);
    EXPECT_EQ(escaped.result, 1);
    EXPECT_EQ(std::filesystem::path(escaped.out).parent_path(), std::filesystem::path(temporary.Path()));
    EXPECT_NE(escaped.out.find("sbx"), std::string::npos);
    EXPECT_NE(escaped.out.find(".._.._escape.txt"), std::string::npos);
    const Resolved dots = Resolve("..", false);
    EXPECT_EQ(dots.result, 1);
    EXPECT_EQ(ReadFile(dots.out), "dots");
    EXPECT_EQ(std::filesystem::path(dots.out).parent_path(), std::filesystem::path(temporary.Path()));
}

TEST_F(MediaPackTest, APackWithoutTheTrailerSwitchesTheResolverOff) {
    UsePack(std::string(100, 'x'));
    const Resolved first = Resolve("font.bmp", true);
    EXPECT_EQ(first.result, 0);
    EXPECT_EQ(first.out, "font.bmp");
    // Off for good: even a valid pack in its place is not opened again...
    WriteFile(here / "pack.bin", PackText({{"font.bmp", Bytes("packed")}}, false));
    EXPECT_EQ(Resolve("font.bmp", true).result, 0);
    // ...until SetMediaPacks switches it on.
    SetMediaPacks((here / "pack.bin").c_str(), "");
    EXPECT_EQ(Contents(Resolve("font.bmp", true).out), "packed");
    // The file resolver got an empty pack name: off as well.
    EXPECT_EQ(Resolve("font.bmp", false).result, 0);
    EXPECT_EQ(FileMediaResolver().enabled, 0);

    SetMediaPacks((here / "missing.bin").c_str(), "");
    EXPECT_EQ(Resolve("font.bmp", true).result, 0);
    EXPECT_EQ(MemoryMediaResolver().enabled, 0);
}

TEST_F(MediaPackTest, APackShorterThanTheTrailerKeepsTheResolverOn) {
    UsePack("sbX");
    const Resolved r = Resolve("font.bmp", true);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.out, "");
    WriteFile(here / "pack.bin", PackText({{"font.bmp", Bytes("packed")}}, false));
    EXPECT_EQ(Contents(Resolve("font.bmp", true).out), "packed");
}

TEST_F(MediaPackTest, EachInMemoryLookupReleasesThePreviousBlock) {
    UsePack(PackText({{"one.txt", Bytes("first")}, {"two.txt", Bytes("second")}}, false));
    const std::size_t blocksBefore = Files().memoryFiles.Count();
    const Resolved one = Resolve("one.txt", true);
    ASSERT_EQ(one.result, 1);
    EXPECT_EQ(Contents(one.out), "first");
    const Resolved two = Resolve("two.txt", true);
    ASSERT_EQ(two.result, 1);
    EXPECT_EQ(Files().memoryFiles.Count(), blocksBefore + 1);
    EXPECT_EQ(Contents(one.out), "<cannot open>");
    EXPECT_EQ(Contents(two.out), "second");

    // A channel reads its pack file on after the next lookup has released the block.
    ASSERT_EQ(OpenChannel(0, "one.txt", 1), 1);
    EXPECT_EQ(Resolve("two.txt", true).result, 1);
    RtString text;
    ReadChars(0, text, 5);
    EXPECT_EQ(Text(text), "first");
    // A lookup of a name on disk releases the block too.
    WriteFile(here / "disk.txt", "d");
    EXPECT_EQ(Resolve("disk.txt", true).out, "disk.txt");
    EXPECT_EQ(Files().memoryFiles.Count(), blocksBefore);
}

TEST_F(MediaPackTest, APackAppendedToAHostOfAnySizeResolves) {
    const std::string big = RandomBytes(300000, 1);
    const std::string pack = PackText({{"big.bin", Bytes(big)}, {"empty.txt", {}}, {"a.txt", Bytes("A")}}, true);
    for (const std::size_t hostSize : {0u, 1u, 7u, 4095u, 4096u, 65537u}) {
        UsePack(RandomBytes(hostSize, static_cast<unsigned>(hostSize)) + pack);
        EXPECT_EQ(Contents(Resolve("big.bin", true).out), big) << hostSize;
        const Resolved empty = Resolve("EMPTY.TXT", false);
        EXPECT_EQ(empty.result, 1) << hostSize;
        EXPECT_EQ(ReadFile(empty.out), "") << hostSize;
        EXPECT_EQ(Contents(Resolve("a.txt", true).out), "A") << hostSize;
    }
}

TEST_F(MediaPackTest, AMemoryPackRegisteredByTheProgram) {
    const std::string pack = PackText({{"tune.mp3", Bytes("music")}}, true);
    const RtString name = RegisterMemoryFile(pack.data(), static_cast<std::int32_t>(pack.size()));
    SetMediaPacks(name, name);
    EXPECT_EQ(Contents(Resolve("tune.mp3", true).out), "music");
    const Resolved file = Resolve("tune.mp3", false);
    EXPECT_EQ(ReadFile(file.out), "music");
    EXPECT_EQ(std::filesystem::path(file.out),
              std::filesystem::path(temporary / TemporaryFileName("tune.mp3", GetInt32(pack, pack.size() - 8 - 8),
                                                                  GetInt32(pack, pack.size() - 8 - 4))));
    ReleaseMemoryFile(name);
}

// A valid stand-alone pack of one entry and where its fields are.
struct Layout {
    std::string bytes;
    std::size_t directory;  // the entry's length byte
    std::size_t position;   // its P
    std::size_t size;       // its S
};

Layout OneEntryPack() {
    Layout layout;
    layout.bytes = PackText({{"a.txt", Bytes(RandomBytes(5000, 7))}}, false);
    layout.directory = static_cast<std::size_t>(GetInt32(layout.bytes, layout.bytes.size() - 4));
    layout.position = layout.directory + 1 + 5;
    layout.size = layout.position + 4;
    return layout;
}

TEST_F(MediaPackTest, DamagedPacksFailTheLookupWithoutLeavingThePack) {
    const Layout valid = OneEntryPack();
    const auto total = static_cast<std::int32_t>(valid.bytes.size());
    const std::int32_t stored = GetInt32(valid.bytes, valid.size);
    const std::int32_t unpacked = GetInt32(valid.bytes, 0);
    struct Damage {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    const Damage damages[] = {
        {"directory beyond the end", valid.bytes.size() - 4, total + 100},
        {"directory in front of the start", valid.bytes.size() - 4, -(total + 100)},
        {"directory at the last byte", valid.bytes.size() - 4, total - 1},
        {"data beyond the end", valid.position, total},
        {"data in front of the start", valid.position, -5},
        {"data running past the end", valid.size, total},
        {"stored size below the size field", valid.size, 3},
        {"negative stored size", valid.size, -1},
        {"absurd unpacked size", 0, 0x7FFFFFFF},
        {"negative unpacked size", 0, -1},
        {"unpacked size one too large", 0, unpacked + 1},
        {"unpacked size one too small", 0, unpacked - 1},
        {"stream cut short", valid.size, stored - 2},
    };
    for (const Damage& damage : damages) {
        std::string bytes = valid.bytes;
        PutInt32(bytes, damage.at, damage.value);
        UsePack(bytes);
        const Resolved r = Resolve("a.txt", true);
        EXPECT_EQ(r.result, 0) << damage.what;
        EXPECT_EQ(r.out, "") << damage.what;
        EXPECT_EQ(Resolve("a.txt", false).result, 0) << damage.what;
    }

    // A directory that does not end runs into the trailer and stops there.
    std::string unterminated = valid.bytes;
    unterminated[unterminated.size() - 8] = 5;
    UsePack(unterminated);
    EXPECT_EQ(Resolve("sbX.x", true).result, 0);
    EXPECT_EQ(Contents(Resolve("a.txt", true).out).size(), 5000u);

    // The same damage in a memory pack.
    std::string bytes = valid.bytes;
    PutInt32(bytes, 0, 0x7FFFFFFF);
    const RtString name = RegisterMemoryFile(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    SetMediaPacks(name, name);
    EXPECT_EQ(Resolve("a.txt", true).result, 0);
    ReleaseMemoryFile(name);
}

}  // namespace
}  // namespace zrv::test
