// File channels on disk files and in-memory files: typed values, lines, positions and the
// stops of failed transfers.
#include <cmath>
#include <cstring>

#include "file_test_helpers.h"

namespace zrv::test {
namespace {

class ChannelTest : public FilesTest {
protected:
    InFolder here;
};

// Bodies of stopping programs run in a child process and cannot capture; they read this.
std::string gName;

TEST_F(ChannelTest, TypedValuesAreStoredLittleEndianAndReadBackWithTheirSign) {
    ASSERT_EQ(OpenChannel(0, "values.bin", 0), 1);
    WriteInt16(0, -2);
    WriteInt8(0, 0x1FF);  // only the low byte
    WriteInt32(0, 0x01020304);
    WriteUInt32(0, -1);
    WriteFloat32(0, 0.1);
    WriteFloat64(0, -1.5);
    WriteChars(0, "ab");
    EXPECT_EQ(ChannelPosition(0), 0);  // writes leave the read position alone
    CloseChannel(0);

    const std::string raw = ReadFile(here / "values.bin");
    ASSERT_EQ(raw.size(), 2u + 1 + 4 + 4 + 4 + 8 + 2);
    EXPECT_EQ(raw.substr(0, 7), std::string("\xFE\xFF\xFF\x04\x03\x02\x01", 7));
    EXPECT_EQ(raw.substr(7, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(raw.substr(raw.size() - 10, 8), std::string("\0\0\0\0\0\0\xF8\xBF", 8));

    ASSERT_EQ(OpenChannel(1, "values.bin", 1), 1);
    std::int32_t i = 0;
    ReadUInt16(1, i);
    EXPECT_EQ(i, 65534);
    SeekChannel(1, 0, 0);
    ReadInt16(1, i);
    EXPECT_EQ(i, -2);
    ReadUInt8(1, i);
    EXPECT_EQ(i, 255);
    SeekChannel(1, -1, 1);
    ReadInt8(1, i);
    EXPECT_EQ(i, -1);
    ReadInt32(1, i);
    EXPECT_EQ(i, 0x01020304);
    ReadUInt32(1, i);
    EXPECT_EQ(i, -1);
    double d = 0;
    ReadFloat32(1, d);
    EXPECT_EQ(d, static_cast<double>(0.1f));
    EXPECT_NEAR(d, 0.100000001490116, 1e-15);
    ReadFloat64(1, d);
    EXPECT_EQ(d, -1.5);
    RtString s;
    ReadChars(1, s, 2);
    EXPECT_EQ(Text(s), "ab");
    EXPECT_EQ(EndOfFile(1), 1);
    EXPECT_EQ(ChannelPosition(1), 25);
}

TEST_F(ChannelTest, ReadLineOnDiskAndInMemory) {
    WriteFile(here / "lines.txt", "ab\r\ncd");
    const RtString memory = RegisterMemoryFile("ab\r\ncd", 6);
    for (const RtString& name : {RtString("lines.txt"), memory}) {
        ASSERT_EQ(OpenChannel(2, name, 1), 1) << Text(name);
        RtString line;
        ReadLine(2, line);
        EXPECT_EQ(Text(line), "ab");
        EXPECT_EQ(ChannelPosition(2), 4);
        EXPECT_EQ(EndOfFile(2), 0);
        ReadLine(2, line);
        EXPECT_EQ(Text(line), "cd");
        EXPECT_EQ(EndOfFile(2), 1);
    }
    ReleaseMemoryFile(memory);

    gName = here / "lines.txt";
    EXPECT_EQ(StopErrorCode([] {
                  RtString line;
                  OpenChannel(0, gName.c_str(), 1);
                  ReadLine(0, line);
                  ReadLine(0, line);
                  ReadLine(0, line);
              }),
              3);
    EXPECT_EQ(StopErrorCode([] {
                  RtString line;
                  const RtString name = RegisterMemoryFile("x\n", 2);
                  OpenChannel(0, name, 1);
                  ReadLine(0, line);
                  ReadLine(0, line);
              }),
              3);
}

TEST_F(ChannelTest, ReadLineKeeps1023CharactersAndLosesThe1024th) {
    const std::string text = std::string(1023, 'a') + "Z" + "bcdef\nnext\n\n" + std::string(64, 'e');
    WriteFile(here / "long.txt", text);
    const RtString memory = RegisterMemoryFile(text.data(), static_cast<std::int32_t>(text.size()));
    for (const RtString& name : {RtString("long.txt"), memory}) {
        ASSERT_EQ(OpenChannel(0, name, 1), 1);
        RtString line;
        ReadLine(0, line);
        EXPECT_EQ(Text(line), std::string(1023, 'a'));
        EXPECT_EQ(ChannelPosition(0), 1024);
        ReadLine(0, line);
        EXPECT_EQ(Text(line), "bcdef");
        ReadLine(0, line);
        EXPECT_EQ(Text(line), "next");
        ReadLine(0, line);
        EXPECT_EQ(Text(line), "");
        // A last line as long as the pieces it is read in, without a line end.
        ReadLine(0, line);
        EXPECT_EQ(Text(line), std::string(64, 'e'));
        EXPECT_EQ(EndOfFile(0), 1);
    }
    ReleaseMemoryFile(memory);
}

TEST_F(ChannelTest, ReadLineNumbersAndWrittenNumberLines) {
    ASSERT_EQ(OpenChannel(0, "numbers.txt", 0), 1);
    WriteLineNumber(0, 1.0 / 3);
    WriteLineNumber(0, 2.5e10);
    WriteLineInt(0, -42);
    WriteLine(0, "7 apples");
    CloseChannel(0);
    EXPECT_EQ(ReadFile(here / "numbers.txt"), "0.3333333333\r\n2.5e+010\r\n-42\r\n7 apples\r\n");

    ASSERT_EQ(OpenChannel(0, "numbers.txt", 1), 1);
    double d = 0;
    std::int32_t i = 0;
    ReadLineNumber(0, d);
    EXPECT_DOUBLE_EQ(d, 0.3333333333);
    ReadLineNumber(0, d);
    EXPECT_EQ(d, 2.5e10);
    ReadLineInt(0, i);
    EXPECT_EQ(i, -42);
    ReadLineInt(0, i);
    EXPECT_EQ(i, 7);
}

TEST_F(ChannelTest, ReadCharsEndsAtTheFirstNul) {
    WriteFile(here / "with_nul.bin", std::string("ab\0cd", 5));
    ASSERT_EQ(OpenChannel(0, "with_nul.bin", 1), 1);
    RtString s = "old";
    ReadChars(0, s, 0);
    EXPECT_EQ(Text(s), "");
    ReadChars(0, s, 5);
    EXPECT_EQ(Text(s), "ab");
    EXPECT_EQ(ChannelPosition(0), 5);

    // Asking for far more than a memory file holds takes what is there, allocating nothing
    // like the count; the next read then finds the position past the end.
    const RtString memory = RegisterMemoryFile("xyz", 3);
    ASSERT_EQ(OpenChannel(1, memory, 1), 1);
    ReadChars(1, s, 2e9);
    EXPECT_EQ(Text(s), "xyz");
    EXPECT_EQ(EndOfFile(1), 1);
    ReleaseMemoryFile(memory);

    gName = here / "with_nul.bin";
    EXPECT_EQ(StopErrorCode([] {
                  RtString text;
                  OpenChannel(0, gName.c_str(), 1);
                  ReadChars(0, text, 2e9);
              }),
              3);
}

TEST_F(ChannelTest, ShortMemoryFileReadAsInt32GetsZeroHighBytesThenStops) {
    const RtString memory = RegisterMemoryFile("\x01\x02\x03", 3);
    ASSERT_EQ(OpenChannel(0, memory, 1), 1);
    std::int32_t value = -1;
    ReadInt32(0, value);
    EXPECT_EQ(value, 0x030201);
    EXPECT_EQ(EndOfFile(0), 1);
    ReleaseMemoryFile(memory);

    EXPECT_EQ(StopErrorCode([] {
                  std::int32_t v = 0;
                  OpenChannel(0, RegisterMemoryFile("\x01\x02\x03", 3), 1);
                  ReadInt32(0, v);
                  ReadInt8(0, v);
              }),
              3);
    // Exactly at the end a memory file still gives zeros once.
    const RtString two = RegisterMemoryFile("\x05\x06", 2);
    ASSERT_EQ(OpenChannel(0, two, 1), 1);
    ReadInt16(0, value);
    EXPECT_EQ(value, 0x0605);
    ReadInt16(0, value);
    EXPECT_EQ(value, 0);
    ReleaseMemoryFile(two);
}

TEST_F(ChannelTest, FailedOpensLeaveTheChannelClosedWithError3) {
    ASSERT_TRUE(std::filesystem::create_directory(here / "folder"));
    const RtString memory = RegisterMemoryFile("abc", 3);
    SetSourcePosition(0, 12);
    EXPECT_EQ(OpenChannel(0, memory, 0), 0);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    EXPECT_EQ(GetErrorState().errorLine, 12);
    EXPECT_EQ(OpenChannel(0, memory, -1), 0);
    EXPECT_EQ(OpenChannel(0, "missing.txt", 1), 0);
    EXPECT_EQ(OpenChannel(0, "folder", 1), 0);
    EXPECT_EQ(OpenChannel(0, "no/such/folder/file", 0), 0);
    EXPECT_EQ(FindFreeChannel(), 0);
    EXPECT_EQ(OpenChannel(0, memory, 1), 1);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    ReleaseMemoryFile(memory);
    SetSourcePosition(0, 0);
}

TEST_F(ChannelTest, ChannelNumbersOutsideTheTableStopWith7) {
    EXPECT_EQ(StopErrorCode([] { OpenChannel(8, "x", 1); }), 7);
    EXPECT_EQ(StopErrorCode([] { OpenChannel(-1, "x", 1); }), 7);
    EXPECT_EQ(StopErrorCode([] { CloseChannel(100); }), 7);
    EXPECT_EQ(StopErrorCode([] { WriteInt8(8, 1); }), 7);
    EXPECT_EQ(EndOfFile(8), 1);
    EXPECT_EQ(EndOfFile(-3), 1);
}

TEST_F(ChannelTest, TransfersOnTheWrongKindOfChannelStopWith3) {
    WriteFile(here / "data", "abcd");
    gName = here / "data";
    EXPECT_EQ(StopErrorCode([] {
                  std::int32_t v = 0;
                  ReadInt8(5, v);  // closed
              }),
              3);
    EXPECT_EQ(StopErrorCode([] {
                  OpenChannel(0, gName.c_str(), 1);
                  WriteInt8(0, 1);  // opened for reading
              }),
              3);
    EXPECT_EQ(StopErrorCode([] {
                  OpenChannel(0, RegisterMemoryFile("abcd", 4), 1);
                  WriteLine(0, "x");  // memory is never written
              }),
              3);
    EXPECT_EQ(StopErrorCode([] {
                  std::int32_t v = 0;
                  OpenChannel(0, gName.c_str(), 1);
                  ReadInt32(0, v);
                  ReadInt8(0, v);  // past the end of a disk file
              }),
              3);
    EXPECT_EQ(ReadFile(here / "data"), "abcd");
}

TEST_F(ChannelTest, FindFreeChannelAndClosing) {
    for (int channel = 0; channel < 8; ++channel) {
        EXPECT_EQ(FindFreeChannel(), channel);
        std::string name = "f";
        name += std::to_string(channel);
        ASSERT_EQ(OpenChannel(channel, name.c_str(), 0), 1);
    }
    EXPECT_EQ(FindFreeChannel(), -1);
    CloseChannel(3);
    CloseChannel(3);
    EXPECT_EQ(FindFreeChannel(), 3);
    StopChannels();
    EXPECT_EQ(FindFreeChannel(), 0);
}

TEST_F(ChannelTest, SeekFromStartCurrentAndEnd) {
    WriteFile(here / "digits", "0123456789");
    const RtString memory = RegisterMemoryFile("0123456789", 10);
    for (const RtString& name : {RtString("digits"), memory}) {
        ASSERT_EQ(OpenChannel(0, name, 1), 1);
        std::int32_t c = 0;
        SeekChannel(0, -3, -1);
        ReadUInt8(0, c);
        EXPECT_EQ(c, '7');
        SeekChannel(0, -5, 1);
        EXPECT_EQ(ChannelPosition(0), 3);
        ReadUInt8(0, c);
        EXPECT_EQ(c, '3');
        SeekChannel(0, 9, 0);
        EXPECT_EQ(EndOfFile(0), 0);
        ReadUInt8(0, c);
        EXPECT_EQ(c, '9');
        EXPECT_EQ(EndOfFile(0), 1);
    }
    SeekChannel(5, 3, 0);  // a closed channel: nothing happens
    EXPECT_EQ(ChannelPosition(5), 0);
    ReleaseMemoryFile(memory);

    // A position in front of a memory block never reads in front of it.
    EXPECT_EQ(StopErrorCode([] {
                  std::int32_t v = 0;
                  OpenChannel(0, RegisterMemoryFile("abcd", 4), 1);
                  SeekChannel(0, -100, 0);
                  ReadUInt8(0, v);
              }),
              3);
}

TEST_F(ChannelTest, AppendAddsAtTheEndAndReplaceStartsEmpty) {
    WriteFile(here / "log.txt", "abc");
    ASSERT_EQ(OpenChannel(0, "log.txt", -1), 1);
    WriteChars(0, "def");
    CloseChannel(0);
    EXPECT_EQ(ReadFile(here / "log.txt"), "abcdef");
    ASSERT_EQ(OpenChannel(0, "new.txt", -1), 1);
    WriteLine(0, "x");
    CloseChannel(0);
    EXPECT_EQ(ReadFile(here / "new.txt"), "x\r\n");

    // Replacing gives a file of its own, even where the old name was a second link.
    std::filesystem::create_hard_link(here / "log.txt", here / "twin.txt");
    ASSERT_EQ(OpenChannel(0, "twin.txt", 0), 1);
    WriteChars(0, "new");
    CloseChannel(0);
    EXPECT_EQ(ReadFile(here / "twin.txt"), "new");
    EXPECT_EQ(ReadFile(here / "log.txt"), "abcdef");
}

TEST_F(ChannelTest, FileSizeOfDiskAndMemoryFiles) {
    WriteFile(here / "seven", "1234567");
    EXPECT_EQ(FileSizeOf("seven"), 7);
    const RtString memory = RegisterMemoryFile("12345", 5);
    EXPECT_EQ(FileSizeOf(memory), 5);
    EXPECT_EQ(GetErrorState().errorCode, 0);
    EXPECT_EQ(FileSizeOf("missing"), 0);
    EXPECT_EQ(GetErrorState().errorCode, 3);
    ReleaseMemoryFile(memory);
    ClearErrorCode();
    EXPECT_EQ(FileSizeOf(memory), 0);
    EXPECT_EQ(GetErrorState().errorCode, 3);
}

TEST_F(ChannelTest, OnlyRegisteredMemoryBlocksOpen) {
    static const char secret[] = "not a file";
    char forged[64];
    std::snprintf(forged, sizeof forged, "mem://%8x.%8llx", 10u,
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(secret)));
    EXPECT_EQ(OpenChannel(0, forged, 1), 0);
    EXPECT_EQ(GetErrorState().errorCode, 3);

    std::string block = "registered";
    const RtString name = RegisterMemoryFile(block.data(), 10);
    block = "changed!!!";  // the runtime keeps its own copy
    EXPECT_EQ(Text(name).substr(0, 15), "mem://       a.");
    ASSERT_EQ(OpenChannel(0, name, 1), 1);
    // A released block opens no more, but a channel already reading it reads on.
    EXPECT_EQ(ReleaseMemoryFile(name), 1);
    EXPECT_EQ(ReleaseMemoryFile(name), 0);
    EXPECT_EQ(OpenChannel(1, name, 1), 0);
    RtString text;
    ReadChars(0, text, 10);
    EXPECT_EQ(Text(text), "registered");
    EXPECT_EQ(Text(RegisterMemoryFile(nullptr, 4)), "");
    EXPECT_EQ(Text(RegisterMemoryFile("x", -1)), "");
}

}  // namespace
}  // namespace zrv::test
