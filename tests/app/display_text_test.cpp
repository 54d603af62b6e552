// Names turned into the player's font cells: one cell per character, Latin-1 characters as
// themselves, the rest as the missing-character cell, and bytes that are not UTF-8 as
// their Latin-1 characters.
#include <gtest/gtest.h>

#include <string>

#include "display_text.h"

namespace player::test {
namespace {

std::string Cells(const std::string& text, int count = 1000) {
    const RtString cells = FirstCells(RtString(text.c_str()), count);
    return std::string(cells.Buffer(), cells.Length());
}

TEST(DisplayText, EachCharacterIsOneCellItselfWhenTheFontHasIt) {
    EXPECT_EQ(Cells("song 1.mp3"), "song 1.mp3");
    EXPECT_EQ(Cells("caf\xC3\xA9 cr\xC3\xA8me"), "caf\xE9 cr\xE8me");
    EXPECT_EQ(Cells("\xC2\xA0\xC3\xBF"), "\xA0\xFF");  // the first and the last Latin-1 cell
    // Beyond Latin-1, the C1 controls and the control bytes have no cell.
    EXPECT_EQ(Cells("\xE6\x97\xA5\xE6\x9C\xAC.mp3"), "??.mp3");
    EXPECT_EQ(Cells("\xE2\x82\xAC \xF0\x9F\x8E\xB5 \xC2\x85 \x01\x7F"), "? ? ? ??");
    const RtString name("\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(FontCells(name).Length(), 3u);
    EXPECT_EQ(FontCells(RtString()).Length(), 0u);
}

TEST(DisplayText, ACutKeepsWholeCharacters) {
    const std::string name = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xB5z";
    EXPECT_EQ(Cells(name, 0), "");
    EXPECT_EQ(Cells(name, 1), "a");
    EXPECT_EQ(Cells(name, 2), "a\xE9");
    EXPECT_EQ(Cells(name, 3), "a\xE9?");
    EXPECT_EQ(Cells(name, 4), "a\xE9??");
    EXPECT_EQ(Cells(name, 5), "a\xE9??z");
    EXPECT_EQ(Cells(name, 6), "a\xE9??z");
    EXPECT_EQ(Cells(name, -1), "");
}

TEST(DisplayText, BytesThatAreNotUTF8AreTheirLatin1Characters) {
    EXPECT_EQ(Cells("caf\xE9"), "caf\xE9");                   // a Latin-1 name
    EXPECT_EQ(Cells("\xE9t\xE9"), "\xE9t\xE9");               // a lead byte without its followers
    EXPECT_EQ(Cells("ab\xC3"), "ab\xC3");                     // cut off at the end
    EXPECT_EQ(Cells("\xA9x\x85"), "\xA9x?");                  // stray followers; 0x85 has no cell
    EXPECT_EQ(Cells("\xC0\xAF\xC1\xBF"), "\xC0\xAF\xC1\xBF"); // overlong forms
    EXPECT_EQ(Cells("\xE0\x80\xAF"), "\xE0?\xAF");
    EXPECT_EQ(Cells("\xED\xA0\x80"), "\xED\xA0?");            // a surrogate
    EXPECT_EQ(Cells("\xF4\x90\x80\x80"), "\xF4???");          // above U+10FFFF
    EXPECT_EQ(Cells("\xF5\xFE\xFF"), "\xF5\xFE\xFF");
    // A good character right after a broken one is still read as one.
    EXPECT_EQ(Cells("\xC3\xC3\xA9"), "\xC3\xE9");
}

}  // namespace
}  // namespace player::test
