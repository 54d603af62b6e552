#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "zorvane/rt_string.h"

namespace {

std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

TEST(RtStringStorage, EmptyValuesShareOneTextAndAllocateNothing) {
    static_assert(sizeof(RtString) == sizeof(void*) + 8, "buffer pointer, capacity, length");
    RtString a;
    RtString b("");
    RtString c(a);
    RtString d(static_cast<const char*>(nullptr));
    for (const RtString* s : {&a, &b, &c, &d}) {
        EXPECT_TRUE(s->UsesSharedEmpty());
        EXPECT_EQ(s->Capacity(), 0u);
        EXPECT_EQ(s->Length(), 0u);
        EXPECT_STREQ(s->Buffer(), "");
    }
    EXPECT_EQ(a.Buffer(), c.Buffer());
}

TEST(RtStringStorage, CapacityGrowsInSteps16StrictlyAboveTheNeed) {
    RtString s("12345678901234");  // 14 bytes and the NUL
    EXPECT_EQ(s.Capacity(), 16u);
    const char* before = s.Buffer();
    s += "x";  // 15 bytes and the NUL fill the block exactly
    EXPECT_EQ(s.Capacity(), 16u);
    EXPECT_EQ(s.Buffer(), before);
    s += "y";
    EXPECT_EQ(s.Capacity(), 32u);
    EXPECT_NE(s.Buffer(), before);
    EXPECT_EQ(Text(s), "12345678901234xy");
    EXPECT_EQ(RtString("123456789012345").Capacity(), 32u);  // built fresh: room for 16

    for (auto [n, expected] : {std::pair{1u, 16u}, {14u, 16u}, {30u, 32u}, {31u, 48u}, {46u, 48u}, {63u, 80u}}) {
        RtString r;
        r.Reserve(n, false);
        EXPECT_EQ(r.Capacity(), expected) << "n = " << n;
    }
    RtString unchanged;
    unchanged.Reserve(0, false);
    EXPECT_TRUE(unchanged.UsesSharedEmpty());
}

TEST(RtStringStorage, AppendsThatFitDoNotReallocateAndEmptyAppendsChangeNothing) {
    RtString s("abc");
    const char* block = s.Buffer();
    s += "defghijkl";  // 12 bytes, capacity 16
    EXPECT_EQ(s.Buffer(), block);
    s += "";
    s += RtString();
    EXPECT_EQ(s.Capacity(), 16u);
    EXPECT_EQ(Text(s), "abcdefghijkl");

    // Character by character: a new block every 16 characters, no doubling.
    RtString grown;
    int reallocations = 0;
    const char* last = grown.Buffer();
    for (int i = 0; i < 100; ++i) {
        grown += "z";
        if (grown.Buffer() != last) ++reallocations, last = grown.Buffer();
    }
    EXPECT_EQ(reallocations, 7);  // capacities 16, 32, ..., 112
    EXPECT_EQ(grown.Capacity(), 112u);
    grown += "z";  // 101 bytes and the NUL still fit in 112
}

TEST(RtStringStorage, AssignmentAndAppendSurviveAliasing) {
    RtString s("0123456789abcdef");  // 16 bytes: capacity 32, self-append must grow
    const RtString& same = s;
    s = same;
    EXPECT_EQ(Text(s), "0123456789abcdef");
    s += s;
    EXPECT_EQ(Text(s), "0123456789abcdef0123456789abcdef");
    s = s + s;
    EXPECT_EQ(s.Length(), 64u);
    RtString moved(std::move(s));
    EXPECT_EQ(moved.Length(), 64u);
    EXPECT_TRUE(s.UsesSharedEmpty());
}

TEST(RtStringStorage, ReleaseClearTruncateAndSyncLength) {
    RtString s("hello");
    s.TruncateText(2);
    EXPECT_EQ(Text(s), "he");
    s.TruncateText(16);  // not below capacity: nothing
    s.TruncateText(-1);
    EXPECT_EQ(Text(s), "he");
    s.Clear();
    EXPECT_TRUE(s.UsesSharedEmpty());
    s.TruncateText(0);  // capacity 0: the shared text is never written
    EXPECT_STREQ(s.Buffer(), "");

    RtString w;
    char* buffer = w.WritableBuffer(20);
    ASSERT_FALSE(w.UsesSharedEmpty());
    std::memset(buffer, 'q', w.Capacity());  // no NUL anywhere
    w.SyncLength();
    EXPECT_EQ(w.Length(), w.Capacity() - 1);
    EXPECT_EQ(buffer[w.Length()], 0);
    std::strcpy(buffer, "ab");
    w.SyncLength();
    EXPECT_EQ(Text(w), "ab");

    RtString zero;
    EXPECT_NE(zero.WritableBuffer(0), RtString().Buffer());  // never the shared text

    s = "x";
    s.Release();
    EXPECT_EQ(s.Buffer(), nullptr);
    EXPECT_EQ(s.Capacity(), 0u);
    s.InitEmpty();
    EXPECT_TRUE(s.UsesSharedEmpty());
}

TEST(NumberToText, ClassicTenDigitTexts) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {5, "5"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.5, "0.5"},
        {0.05, "5.e-002"},
        {-0.05, "-5.e-002"},
        {1e10, "1.e+010"},
        {1.23456789012e11, "1.23456789e+011"},
        {1.0 / 3, "0.3333333333"},
        {2.0 / 3, "0.6666666667"},
        {123.456, "123.456"},
        {2.0, "2"},
        {1234567890, "1234567890"},
        {9999999999.0, "9999999999"},
        {9999999999.5, "1.e+010"},  // rounding moves the exponent
        {0.099999999999, "0.1"},
        {1e-300, "1.e-300"},
        {1.7976931348623157e308, "1.797693135e+308"},
        {100, "100"},
        {0.000123, "1.23e-004"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(Text(NumberToText(value)), expected) << "value " << value;
    }
    EXPECT_EQ(Text(NumberToText(0.1f)), "0.1000000015");
    EXPECT_EQ(NumberToText(1.5).Capacity(), 80u);  // reserved for 63 bytes
    EXPECT_EQ(NumberTextLength(1e10), 7);
    EXPECT_EQ(Text(NumberToText(INFINITY)), "1.#INF");
    EXPECT_EQ(Text(NumberToText(-INFINITY)), "-1.#INF");
    EXPECT_EQ(Text(NumberToText(std::nan(""))), "1.#QNAN");
}

TEST(NumberToText, AgreesWithTheLibrarysTenDigitRounding) {
    // Whatever the layout, the text must stand for the value rounded to ten digits.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 5000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        char reference[64];
        std::snprintf(reference, sizeof reference, "%.10g", value);
        const RtString text = NumberToText(value);
        EXPECT_EQ(TextToNumber(text), std::strtod(reference, nullptr)) << Text(text) << " vs " << reference;
        const std::string s = Text(text);
        EXPECT_NE(s.back(), '.') << s;
        const double magnitude = std::fabs(std::strtod(reference, nullptr));
        const bool exponential = magnitude != 0 && (magnitude < 0.1 || magnitude >= 1e10);
        EXPECT_EQ(s.find('e') != std::string::npos, exponential) << s;
    }
}

TEST(IntToText, DecimalDigitsWithSign) {
    EXPECT_EQ(Text(IntToText(0)), "0");
    EXPECT_EQ(Text(IntToText(-42)), "-42");
    EXPECT_EQ(Text(IntToText(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(IntTextLength(-2147483647 - 1), 11);
    EXPECT_EQ(IntToText(7).Capacity(), 32u);  // reserved for 15 bytes
}

TEST(TextToNumberAndInt, TakeTheLeadingNumberOnly) {
    EXPECT_EQ(TextToNumber("3.5abc"), 3.5);
    EXPECT_EQ(TextToNumber("abc"), 0);
    EXPECT_EQ(TextToNumber(" \t\n-12.25e1x"), -122.5);
    EXPECT_EQ(TextToNumber("+.5"), 0.5);
    EXPECT_EQ(TextToNumber("5."), 5);
    EXPECT_EQ(TextToNumber("."), 0);
    EXPECT_EQ(TextToNumber("-"), 0);
    EXPECT_EQ(TextToNumber("1e"), 1);
    EXPECT_EQ(TextToNumber("1e+"), 1);
    EXPECT_EQ(TextToNumber("2E-2"), 0.02);
    EXPECT_EQ(TextToNumber("0x1A"), 0);  // no hexadecimal
    EXPECT_EQ(TextToNumber("inf"), 0);   // no words
    EXPECT_EQ(TextToNumber("nan"), 0);
    EXPECT_TRUE(std::isinf(TextToNumber("1e999")));
    EXPECT_EQ(TextToNumber("1e-999"), 0);
    EXPECT_EQ(TextToNumber(RtString()), 0);
    EXPECT_TRUE(std::isinf(TextToNumber(std::string(100000, '1').c_str())));

    EXPECT_EQ(TextToInt(" 42x"), 42);
    EXPECT_EQ(TextToInt("-17.9"), -17);
    EXPECT_EQ(TextToInt("x42"), 0);
    EXPECT_EQ(TextToInt("99999999999"), 2147483647);
    EXPECT_EQ(TextToInt("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
}

TEST(TextToNumberAndInt, IgnoreTheProcessLocale) {
    // Names of a comma locale on Linux, then on Windows.
    const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "C.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : locales) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    EXPECT_EQ(TextToNumber("2.5"), 2.5) << (chosen ? chosen : "C");
    EXPECT_EQ(Text(FormatNumber(0, 2, 2.5)), "2.50");
    EXPECT_EQ(Text(NumberToText(2.5)), "2.5");
    std::setlocale(LC_ALL, "C");
}

TEST(RtStringConcatenation, NumbersBecomeTextOnEitherSide) {
    EXPECT_EQ(Text(RtString("x=") + 5), "x=5");
    EXPECT_EQ(Text(RtString("x=") + 0.1f), "x=0.1000000015");
    EXPECT_EQ(Text(RtString("x=") + 2.0), "x=2");
    EXPECT_EQ(Text(-3 + RtString(" apples")), "-3 apples");
    EXPECT_EQ(Text(1e10 + RtString("!")), "1.e+010!");
    EXPECT_EQ(Text("left" + RtString("right")), "leftright");
    RtString chained("a");
    (chained += 1) += 2.5;
    EXPECT_EQ(Text(chained), "a12.5");
    const RtString left("keep");
    const RtString joined = left + "more";
    EXPECT_EQ(Text(left), "keep");
    EXPECT_EQ(Text(joined), "keepmore");
}

TEST(RtStringComparison, TextAgainstTextComparesBytes) {
    EXPECT_TRUE(RtString("10") < RtString("9"));
    EXPECT_TRUE(RtString("abc") < "abd");
    EXPECT_TRUE(RtString("ab") < "abc");  // a prefix is smaller
    EXPECT_TRUE(RtString("\xC0") > "a");  // bytes are unsigned
    EXPECT_TRUE(RtString("same") == RtString("same"));
    EXPECT_TRUE(RtString("same") != "Same");
    EXPECT_TRUE(RtString() == "");
    EXPECT_TRUE("b" >= RtString("a"));
    EXPECT_EQ(CompareText("a", "a"), 0);
    EXPECT_LT(CompareText("a", "b"), 0);
}

TEST(RtStringComparison, TextAgainstNumberComparesNumbers) {
    EXPECT_TRUE(RtString("10") > 9);
    EXPECT_TRUE(9 < RtString("10"));
    EXPECT_TRUE(RtString("10") == 10.0);
    EXPECT_TRUE(RtString(" 7 apples") == 7);
    EXPECT_TRUE(RtString("0.1") == 0.1);
    EXPECT_FALSE(RtString("0.1") == 0.1f);  // the float is widened, not the text narrowed
    EXPECT_TRUE(RtString("abc") == 0);
    EXPECT_TRUE(RtString("2.9") == 2);  // integers compare with the text's integer part
    EXPECT_FALSE(RtString("1") < std::nan(""));
    EXPECT_FALSE(RtString("1") > std::nan(""));
    EXPECT_EQ(CompareTextNumber("3", 2.5), 1);
    EXPECT_EQ(CompareTextNumber("2.5", 2.5), 0);
    EXPECT_EQ(CompareTextInt("-4", 3), -1);
}

TEST(MidString, ClipsToTheText) {
    const RtString hello("Hello");
    EXPECT_EQ(Text(MidString(hello, 1, 3)), "ell");
    EXPECT_EQ(Text(MidString(hello, 3, -1)), "lo");
    EXPECT_EQ(Text(MidString(hello, 4, 10)), "o");
    EXPECT_EQ(Text(MidString(hello, 0, 2147483647)), "Hello");
    EXPECT_EQ(Text(MidString(hello, 2147483647, 2147483647)), "");
    for (auto [start, count] : {std::pair{5, 1}, {-1, 3}, {2, 0}, {-2147483647 - 1, 3}}) {
        const RtString part = MidString(hello, start, count);
        EXPECT_TRUE(part.UsesSharedEmpty()) << start << "," << count;
    }
    EXPECT_TRUE(MidString(RtString(), 0, -1).UsesSharedEmpty());
}

TEST(ReplaceText, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(Text(ReplaceText("aXbXc", "X", "--")), "a--b--c");
    EXPECT_EQ(Text(ReplaceText("aaa", "a", "aa")), "aaaaaa");
    EXPECT_EQ(Text(ReplaceText("aaaa", "aa", "b")), "bb");
    EXPECT_EQ(Text(ReplaceText("abcabc", "abc", "xyz")), "xyzxyz");
    EXPECT_EQ(Text(ReplaceText("abcabc", "b", "")), "acac");
    EXPECT_EQ(Text(ReplaceText("abc", "zz", "y")), "abc");
    EXPECT_EQ(Text(ReplaceText("abc", "", "y")), "abc");
    EXPECT_EQ(Text(ReplaceText("", "a", "b")), "");
    const std::string big(100000, 'a');
    EXPECT_EQ(ReplaceText(big.c_str(), "a", "bc").Length(), 200000u);
}

TEST(FormatNumber, PrintfFieldsClippedTo47Bytes) {
    EXPECT_EQ(Text(FormatNumber(8, 2, 3.14159)), "    3.14");
    EXPECT_EQ(Text(FormatNumber(-8, 1, 3.14159)), "3.1     ");
    EXPECT_EQ(Text(FormatNumber(3.9, 1.9, -1.25)), "-1.2");
    EXPECT_EQ(Text(FormatNumber(5, -3, 7.6)), "    8");  // no negative precision
    EXPECT_EQ(FormatNumber(8, 2, 1).Capacity(), 48u);
    EXPECT_EQ(Text(FormatNumber(60, 0, 1)), std::string(47, ' '));
    EXPECT_EQ(Text(FormatNumber(2e9, 0, 1)), std::string(47, ' '));
    EXPECT_EQ(Text(FormatNumber(-2e9, 0, 1)), "1" + std::string(46, ' '));
    // Far more decimals than fit: the exact expansion of the double, cut.
    EXPECT_EQ(Text(FormatNumber(0, 2e9, 0.1)), "0.100000000000000005551115123125782702118158340");
    EXPECT_EQ(Text(FormatNumber(0, 2, 1e300)).size(), 47u);
}

TEST(CaseAndHex, AsciiLettersOnly) {
    EXPECT_EQ(Text(UpperCase("abc xyz \xE4\xFC 123")), "ABC XYZ \xE4\xFC 123");
    EXPECT_EQ(Text(LowerCase("ABC XYZ \xC4\xDC @[")), "abc xyz \xC4\xDC @[");
    RtString inPlace("MiXeD");
    const char* block = inPlace.Buffer();
    LowerCaseInPlace(inPlace);
    EXPECT_EQ(Text(inPlace), "mixed");
    EXPECT_EQ(inPlace.Buffer(), block);
    RtString empty;
    UpperCaseInPlace(empty);
    EXPECT_TRUE(empty.UsesSharedEmpty());

    const unsigned char bytes[] = {0x00, 0x7F, 0xA5, 0xFF};
    EXPECT_EQ(Text(BytesToHex(bytes, 4)), "007FA5FF");
    EXPECT_TRUE(BytesToHex(bytes, 0).UsesSharedEmpty());
    EXPECT_TRUE(BytesToHex(bytes, -3).UsesSharedEmpty());
}

}  // namespace
