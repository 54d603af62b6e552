#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"
#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"

namespace {

using zrv::test::StopErrorCode;

std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

// prefix followed by the decimal digits of n
std::string Numbered(const char* prefix, int n) {
    std::string text(prefix);
    text += std::to_string(n);
    return text;
}

std::vector<std::string> Elements(const RtStringArray& array) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < array.Size(0); ++i) out.push_back(Text(array(i)));
    return out;
}

// ---- Checked access ------------------------------------------------------------------

TEST(ArrayAccess, FirstIndexWrapsOnceFromTheEnd) {
    RtNumberArray a;
    DimArray(a, 5);
    for (int i = 0; i < 5; ++i) a(i) = 10 + i;
    EXPECT_EQ(a(-1), 14);
    EXPECT_EQ(a(-5), 10);
    EXPECT_EQ(ArrayElement(a, -2, 0, 0), &a(3));

    EXPECT_EQ(StopErrorCode([] { RtNumberArray b; DimArray(b, 5); b(-6) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] { RtNumberArray b; DimArray(b, 5); b(5) = 1; }), 9);
}

TEST(ArrayAccess, FirstIndexVariesFastest) {
    RtNumberArray a;
    DimArray(a, 3, 4);
    for (int i2 = 0; i2 < 4; ++i2)
        for (int i1 = 0; i1 < 3; ++i1) a(i1, i2) = i1 * 100 + i2;
    for (int position = 0; position < 12; ++position) {
        EXPECT_EQ(a.Data()[position], (position % 3) * 100 + position / 3) << position;
    }
    EXPECT_EQ(&a(2, 3), a.Data() + 11);
    EXPECT_EQ(&a(-1, 2), &a(2, 2));

    RtIntArray four;
    DimIntArray(four, 2, 3, 4, 5);
    EXPECT_EQ(IntArrayElement(four, 1, 2, 3, 4) - four.Data(), 2 * 3 * 4 * 5 - 1);
    EXPECT_EQ(IntArrayElement(four, -1, 1, 1, 1), four.Data() + 1 + 2 + 6 + 24);
    RtNumberArray numbers;
    DimArray(numbers, 4, 3, 2, 2);
    EXPECT_EQ(ArrayElement4(numbers, -1, 2, 1, 1), &numbers(3, 2, 1, 1));
}

TEST(ArrayAccess, OnlyTheFirstIndexWrapsAndEveryDimensionIsChecked) {
    EXPECT_EQ(StopErrorCode([] { RtNumberArray a; DimArray(a, 3, 4); a(3, 0) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] { RtNumberArray a; DimArray(a, 3, 4); a(0, 4) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] { RtNumberArray a; DimArray(a, 3, 4); a(1, -1) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] {
                  RtNumberArray a;
                  DimArray(a, 2, 2, 2, 2);
                  *ArrayElement4(a, 0, 0, 0, -1) = 1;
              }),
              9);
    // An unused dimension accepts only 0: index 1 there would reach past the elements.
    EXPECT_EQ(StopErrorCode([] { RtNumberArray a; DimArray(a, 3); *ArrayElement(a, 0, 1, 0) = 1; }),
              9);
    EXPECT_EQ(StopErrorCode([] {
                  RtIntArray a;
                  DimIntArray(a, 3, 2);
                  *IntArrayElement(a, 0, 0, 0, 1) = 1;
              }),
              9);
    // Never dimensioned: even index 0 fails.
    EXPECT_EQ(StopErrorCode([] { static RtNumberArray a; *ArrayElement(a, 0, 0, 0) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] { static RtStringArray a; a(0) = "x"; }), 9);
}

// ---- DIM -----------------------------------------------------------------------------

TEST(ArrayDim, SmallNumberArraysLiveInsideTheValueLargerOnesReuseTheirBlock) {
    RtNumberArray a;
    DimArray(a, 10);
    EXPECT_TRUE(a.UsesInlineStore());
    EXPECT_EQ(a.CapacityCount(), 16);

    DimArray(a, 16);
    EXPECT_FALSE(a.UsesInlineStore());
    EXPECT_EQ(a.CapacityCount(), 24);
    double* block = a.Data();
    for (int i = 0; i < 16; ++i) a(i) = i + 1;

    DimArray(a, 3);
    EXPECT_EQ(a.Data(), block);
    EXPECT_EQ(a.CapacityCount(), 24);
    EXPECT_EQ(a.Size(0), 3);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(block[i], 0.0) << i;

    for (int n = 1; n <= 20; ++n) {
        DimArray(a, n);
        EXPECT_EQ(a.Data(), block);
    }

    RtIntArray b;
    DimIntArray(b, 7);
    EXPECT_TRUE(b.UsesInlineStore());
    EXPECT_EQ(b.CapacityCount(), 8);
    DimIntArray(b, 8);  // integers leave the inline store already at eight elements
    EXPECT_FALSE(b.UsesInlineStore());
    EXPECT_EQ(b.CapacityCount(), 16);
}

TEST(ArrayDim, CountBelowOneGivesAnEmptyArrayWithFreshMinimalStorage) {
    RtNumberArray a;
    DimArray(a, 100);
    DimArray(a, 0);
    EXPECT_TRUE(a.IsDimensioned());
    EXPECT_EQ(a.Size(0), 0);
    EXPECT_EQ(a.DimCount(), 0);
    EXPECT_EQ(a.CapacityCount(), 8);
    EXPECT_TRUE(a.UsesInlineStore());

    RtStringArray s;
    DimStringArray(s, -4);
    EXPECT_EQ(s.Size(0), 0);
    EXPECT_EQ(s.CapacityCount(), 64);

    EXPECT_EQ(StopErrorCode([] { RtNumberArray b; DimArray(b, 0); b(0) = 1; }), 9);
    EXPECT_EQ(StopErrorCode([] { RtStringArray b; DimStringArray(b, 0); b(-1) = "x"; }), 9);
}

TEST(ArrayDim, SizesStridesDimensionCountAndBounds) {
    RtNumberArray a;
    DimArray(a, 3, 4, 2, 5);
    EXPECT_EQ(a.DimCount(), 4);
    EXPECT_EQ(a.Stride(0), 3);
    EXPECT_EQ(a.Stride(1), 12);
    EXPECT_EQ(a.Stride(2), 24);
    EXPECT_EQ(a.CapacityCount(), 120 + 8);

    DimArray(a, 3, 0, 2);
    EXPECT_EQ(a.DimCount(), 3);
    EXPECT_EQ(a.Stride(1), 0);

    DimArray(a, 6);
    EXPECT_EQ(a.DimCount(), 1);
    EXPECT_EQ(ArrayBound(a, 0), 6);
    EXPECT_EQ(ArrayBound(a, 1), 0);
    DimArray(a, 3, 4);
    EXPECT_EQ(ArrayBound(a, 1), 4);
    EXPECT_EQ(ArrayBound(a, 7), 0);
    EXPECT_EQ(ArrayBound(a, -1), 0);

    RtNumberArray negative;
    DimArray(negative, 3, -5, -7);  // counted as 3 x 1 x 1, but no access passes the check
    EXPECT_EQ(negative.CapacityCount(), 8);
    EXPECT_EQ(negative.Size(2), -7);
    EXPECT_EQ(StopErrorCode([] { RtNumberArray b; DimArray(b, 3, -5, -7); b(0) = 1; }), 9);
}

TEST(ArrayDim, OldContentsAreNeverKept) {
    RtStringArray s;
    DimStringArray(s, 3, 2);
    for (int i = 0; i < 6; ++i) s.Data()[i] = RtString("text") + i;
    const RtString* block = s.Data();
    DimStringArray(s, 2, 2);
    EXPECT_EQ(s.Data(), block);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(s.Data()[i].IsEmpty()) << i;

    RtByteArray b;
    DimByteArray(b, 10);
    b(9) = 200;
    DimByteArray(b, 20);
    EXPECT_EQ(b.CapacityCount(), 64);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(b(i), 0) << i;
}

TEST(ArrayDim, TotalsBeyondTheInt32RangeStopWithOutOfMemory) {
    EXPECT_EQ(StopErrorCode([] { RtNumberArray a; DimArray(a, 65536, 65536); }), 7);
    EXPECT_EQ(StopErrorCode([] {
                  RtStringArray a;
                  DimStringArray(a, 2, 2000000000, 2000000000, 2000000000);
              }),
              7);
    // The step added on top of the largest total also has to fit.
    EXPECT_EQ(StopErrorCode([] { RtByteArray a; DimByteArray(a, INT32_MAX); }), 7);
    EXPECT_EQ(StopErrorCode([] {
                  static RtIntArray a;  // the stop runs the exit destructors on it
                  DimIntArray(a, 100);
                  RedimIntArray(a, 100, 100000, 1000);
              }),
              7);
}

// ---- REDIM ---------------------------------------------------------------------------

TEST(ArrayRedim, NumberArraysKeepTheOverlapOfEveryDimension) {
    RtNumberArray a;
    DimArray(a, 2, 3);
    for (int i2 = 0; i2 < 3; ++i2)
        for (int i1 = 0; i1 < 2; ++i1) a(i1, i2) = 1 + i1 + 10 * i2;
    RedimArray(a, 3, 2);
    EXPECT_EQ(a.Size(0), 3);
    EXPECT_EQ(a.Size(1), 2);
    for (int i2 = 0; i2 < 2; ++i2)
        for (int i1 = 0; i1 < 3; ++i1)
            EXPECT_EQ(a(i1, i2), i1 < 2 ? 1 + i1 + 10 * i2 : 0) << i1 << "," << i2;

    RtIntArray b;
    DimIntArray(b, 2, 3, 4, 5);
    auto value = [](int i1, int i2, int i3, int i4) { return 1 + i1 + 2 * i2 + 8 * i3 + 64 * i4; };
    for (int i4 = 0; i4 < 5; ++i4)
        for (int i3 = 0; i3 < 4; ++i3)
            for (int i2 = 0; i2 < 3; ++i2)
                for (int i1 = 0; i1 < 2; ++i1) b(i1, i2, i3, i4) = value(i1, i2, i3, i4);
    RedimIntArray(b, 4, 2, 5, 3);
    for (int i4 = 0; i4 < 3; ++i4)
        for (int i3 = 0; i3 < 5; ++i3)
            for (int i2 = 0; i2 < 2; ++i2)
                for (int i1 = 0; i1 < 4; ++i1) {
                    const bool kept = i1 < 2 && i3 < 4;
                    ASSERT_EQ(b(i1, i2, i3, i4), kept ? value(i1, i2, i3, i4) : 0)
                        << i1 << "," << i2 << "," << i3 << "," << i4;
                }

    // Adding or dropping a dimension keeps the elements with index 0 there.
    RtNumberArray c;
    DimArray(c, 3);
    for (int i = 0; i < 3; ++i) c(i) = i + 1;
    RedimArray(c, 3, 2);
    EXPECT_EQ(c(2, 0), 3);
    EXPECT_EQ(c(2, 1), 0);
    c(1, 1) = 9;
    RedimArray(c, 4);
    EXPECT_EQ(c(2), 3);
    EXPECT_EQ(c(3), 0);
}

TEST(ArrayRedim, ContentsFollowTheStorageBetweenInlineStoreAndHeap) {
    RtNumberArray a;
    DimArray(a, 4);
    for (int i = 0; i < 4; ++i) a(i) = i + 0.5;
    RedimArray(a, 40);
    EXPECT_FALSE(a.UsesInlineStore());
    EXPECT_EQ(a.CapacityCount(), 48);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(a(i), i < 4 ? i + 0.5 : 0.0);
    a(39) = 7;

    // Shrinking to a size the inline store could hold keeps the larger block.
    double* block = a.Data();
    RedimArray(a, 5);
    EXPECT_EQ(a.Data(), block);
    EXPECT_EQ(a.CapacityCount(), 48);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a(i), i < 4 ? i + 0.5 : 0.0);
    for (int i = 5; i < 48; ++i) EXPECT_EQ(block[i], 0.0) << i;

    RtByteArray bytes;
    DimByteArray(bytes, 3);
    bytes(2) = 0xAB;
    bytes.Redim(100, 2);
    EXPECT_EQ(bytes(2, 0), 0xAB);
    EXPECT_EQ(bytes(99, 1), 0);
}

TEST(ArrayRedim, CountBelowOneEmptiesTheArrayButKeepsItsStorage) {
    RtNumberArray a;
    DimArray(a, 30);
    a(0) = 5;
    double* block = a.Data();
    RedimArray(a, 0);
    EXPECT_EQ(a.Size(0), 0);
    EXPECT_EQ(a.DimCount(), 0);
    EXPECT_EQ(a.Data(), block);
    EXPECT_EQ(a.CapacityCount(), 32);
    RedimArray(a, 2);  // nothing was left to keep
    EXPECT_EQ(a(0), 0.0);

    EXPECT_EQ(StopErrorCode([] {
                  RtNumberArray b;
                  DimArray(b, 3);
                  RedimArray(b, -1);
                  b(0) = 1;
              }),
              9);

    RtNumberArray never;
    RedimArray(never, 3, 3);
    EXPECT_EQ(never(2, 2), 0.0);
}

TEST(ArrayRedim, TextArraysKeepOnlyTheFirstTwoDimensions) {
    RtStringArray s;
    DimStringArray(s, 2, 2, 2);
    for (int i3 = 0; i3 < 2; ++i3)
        for (int i2 = 0; i2 < 2; ++i2)
            for (int i1 = 0; i1 < 2; ++i1)
                s(i1, i2, i3) = RtString("e") + (i1 + 10 * i2 + 100 * i3);
    RedimStringArray(s, 2, 2, 2);
    for (int i2 = 0; i2 < 2; ++i2)
        for (int i1 = 0; i1 < 2; ++i1) {
            EXPECT_EQ(Text(s(i1, i2, 0)), Numbered("e", i1 + 10 * i2));
            EXPECT_TRUE(s(i1, i2, 1).IsEmpty());
        }

    RedimStringArray(s, 3, 1);
    EXPECT_EQ(Text(s(1, 0)), "e1");
    EXPECT_TRUE(s(2, 0).IsEmpty());
}

TEST(ArrayRedim, OneDimensionalTextArraysGrowWithoutReviving) {
    RtStringArray s;
    DimStringArray(s, 10);
    for (int i = 0; i < 10; ++i) s(i) = RtString("v") + i;
    RedimStringArray(s, 4);
    RedimStringArray(s, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Text(s(i)), i < 4 ? Numbered("v", i) : "") << i;
    // Emptying keeps the old texts in storage; growing again must not bring them back.
    RedimStringArray(s, 0);
    RedimStringArray(s, 4);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(s(i).IsEmpty()) << i;
    s(3) = "v3";
    RedimStringArray(s, 200);
    EXPECT_EQ(Text(s(3)), "v3");
    EXPECT_TRUE(s(199).IsEmpty());
    RedimStringArray(s, 200, 2);
    EXPECT_EQ(Text(s(3, 0)), "v3");
    EXPECT_TRUE(s(3, 1).IsEmpty());
}

// ---- Copying and filling -------------------------------------------------------------

TEST(ArrayCopy, CopyTakesShapeAndElementsIntoStorageOfItsOwn) {
    RtNumberArray source;
    DimArray(source, 5, 4);
    for (int i = 0; i < 20; ++i) source.Data()[i] = i * 1.5;
    RtNumberArray target;
    DimArray(target, 100);
    CopyArray(target, source);
    EXPECT_EQ(target.Size(1), 4);
    EXPECT_EQ(target.DimCount(), 2);
    EXPECT_NE(target.Data(), source.Data());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(target.Data()[i], i * 1.5);
    target(0, 0) = -1;
    EXPECT_EQ(source(0, 0), 0.0);

    CopyArray(source, source);
    EXPECT_EQ(source(4, 3), 19 * 1.5);

    RtIntArray ints;
    RtIntArray intCopy;
    DimIntArray(ints, 3);
    ints(2) = 42;
    CopyIntArray(intCopy, ints);
    EXPECT_EQ(intCopy(2), 42);
    EXPECT_TRUE(intCopy.UsesInlineStore());
}

TEST(ArrayCopy, CopiesAreDeepAndMovesKeepInlineContents) {
    RtStringArray texts;
    DimStringArray(texts, 3);
    texts(1) = "middle";
    RtStringArray copy(texts);
    copy(1) += "!";
    EXPECT_EQ(Text(texts(1)), "middle");
    EXPECT_EQ(Text(copy(1)), "middle!");

    RtNumberArray small;
    DimArray(small, 3);
    small(2) = 8;
    RtNumberArray moved(std::move(small));
    EXPECT_TRUE(moved.UsesInlineStore());  // its own inline store, not the source's
    EXPECT_EQ(moved(2), 8);
    EXPECT_FALSE(small.IsDimensioned());

    RtNumberArray big;
    DimArray(big, 50);
    big(49) = 3;
    const double* block = big.Data();
    moved = std::move(big);
    EXPECT_EQ(moved.Data(), block);
    EXPECT_EQ(moved(49), 3);

    moved = RtNumberArray();
    EXPECT_FALSE(moved.IsDimensioned());
}

TEST(ArrayFill, FillDimensionsToTheValueCount) {
    RtNumberArray a;
    DimArray(a, 4, 4);
    const double values[] = {1.5, -2, 3};
    FillArray(a, 3, values);
    EXPECT_EQ(a.DimCount(), 1);
    EXPECT_EQ(a.Size(0), 3);
    EXPECT_EQ(a(0), 1.5);
    EXPECT_EQ(a(-1), 3);

    RtIntArray b;
    const std::int32_t ints[] = {7, 8};
    FillIntArray(b, 2, ints);
    EXPECT_EQ(b(1), 8);
    FillIntArray(b, 0, nullptr);
    EXPECT_EQ(b.Size(0), 0);
}

// ---- Text arrays: push and split -----------------------------------------------------

TEST(ArrayPush, AppendsToOneDimensionalTextArrays) {
    RtStringArray s;
    DimStringArray(s, 0);
    PushStringElement(s, "first");
    EXPECT_EQ(s.DimCount(), 1);
    EXPECT_EQ(Elements(s), std::vector<std::string>{"first"});

    RtStringArray undimensioned;
    PushStringElement(undimensioned, "a");
    EXPECT_EQ(Elements(undimensioned), std::vector<std::string>{"a"});

    // Pushing an element of the array itself, also when the push moves the storage.
    RtStringArray copies;
    PushStringElement(copies, "x");
    for (int i = 1; i < 300; ++i) PushStringElement(copies, copies(-1));
    EXPECT_EQ(Elements(copies), std::vector<std::string>(300, "x"));

    RtStringArray numbered;
    for (int i = 0; i < 1000; ++i) PushStringElement(numbered, RtString("n") + i);
    ASSERT_EQ(numbered.Size(0), 1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(Text(numbered(i)), Numbered("n", i));

    EXPECT_EQ(StopErrorCode([] {
                  RtStringArray t;
                  DimStringArray(t, 2, 2);
                  PushStringElement(t, "x");
              }),
              8);
}

TEST(ArraySplit, DelimiterRunsAndEndsGiveNoEmptyPieces) {
    RtStringArray parts;
    EXPECT_EQ(SplitString("12.5e3", parts, "-.e"), 3);
    EXPECT_EQ(Elements(parts), (std::vector<std::string>{"12", "5", "3"}));
    EXPECT_EQ(SplitString(",,a,,b,", parts, ","), 2);
    EXPECT_EQ(Elements(parts), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitString("", parts, ","), 0);
    EXPECT_EQ(parts.Size(0), 0);
    EXPECT_EQ(SplitString(",;,;", parts, ",;"), 0);
    EXPECT_EQ(SplitString("one two", parts, ""), 1);
    EXPECT_EQ(Text(parts(0)), "one two");
    EXPECT_EQ(SplitString("a\xff" "b", parts, "\xff"), 2);

    // Any earlier shape is replaced, and both texts may come from the array itself.
    DimStringArray(parts, 3, 3);
    parts(0, 0) = "x:y:z";
    parts(1, 0) = ":";
    EXPECT_EQ(SplitString(parts(0, 0), parts, parts(1, 0)), 3);
    EXPECT_EQ(parts.DimCount(), 1);
    EXPECT_EQ(Elements(parts), (std::vector<std::string>{"x", "y", "z"}));
}

// ---- Sorting -------------------------------------------------------------------------

std::vector<std::string> RandomWords(std::size_t count, unsigned seed, int alphabet) {
    std::mt19937 random(seed);
    std::vector<std::string> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::string word(random() % 6, ' ');
        for (char& c : word) c = static_cast<char>('a' + random() % alphabet);
        words.push_back(word);
    }
    return words;
}

void Load(RtStringArray& array, const std::vector<std::string>& words) {
    DimStringArray(array, static_cast<std::int32_t>(words.size()));
    for (std::size_t i = 0; i < words.size(); ++i) {
        array(static_cast<std::int32_t>(i)) = words[i].c_str();
    }
}

TEST(ArraySort, ByteOrderForRandomAndDuplicateHeavyInput) {
    for (auto [count, alphabet] : {std::pair{1000, 26}, {5000, 2}, {13, 3}, {2, 26}}) {
        auto words = RandomWords(count, 7u + count, alphabet);
        words.push_back("\xc3\xa9t\xc3\xa9");  // bytes above 127 sort after ASCII
        RtStringArray array;
        Load(array, words);
        SortStringRange(&array(0), &array(-1), nullptr);
        std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
            return std::strcmp(a.c_str(), b.c_str()) < 0;
        });
        EXPECT_EQ(Elements(array), words) << count << " words over " << alphabet;
    }

    RtStringArray part;
    Load(part, {"z", "d", "c", "b", "a", "y"});
    SortStringRange(&part(1), &part(4), nullptr);
    EXPECT_EQ(Elements(part), (std::vector<std::string>{"z", "a", "b", "c", "d", "y"}));
}

TEST(ArraySort, CustomComparisonDecidesTheOrder) {
    auto byLengthThenReverse = [](const RtString& a, const RtString& b) -> std::int32_t {
        if (a.Length() != b.Length()) return a.Length() < b.Length() ? -1 : 1;
        return -CompareText(a, b);
    };
    auto words = RandomWords(2000, 3, 26);
    RtStringArray array;
    Load(array, words);
    SortStringRange(&array(0), &array(-1), byLengthThenReverse);
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a > b;
    });
    EXPECT_EQ(Elements(array), words);

    // A comparison that is no order at all may scramble, but never lose, elements.
    static std::mt19937 random(11);
    auto coinFlip = [](const RtString&, const RtString&) -> std::int32_t {
        return static_cast<std::int32_t>(random() % 3) - 1;
    };
    SortStringRange(&array(0), &array(-1), coinFlip);
    auto after = Elements(array);
    std::sort(after.begin(), after.end());
    std::sort(words.begin(), words.end());
    EXPECT_EQ(after, words);
}

TEST(ArraySort, LargeSortedReversedAndEqualInput) {
    const int count = 200000;
    std::vector<std::string> sorted;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%07d", i);
        sorted.push_back(name);
    }
    RtStringArray array;
    Load(array, sorted);
    SortStringRange(&array(0), &array(-1), nullptr);
    EXPECT_EQ(Elements(array), sorted);

    Load(array, std::vector<std::string>(sorted.rbegin(), sorted.rend()));
    SortStringRange(&array(0), &array(-1), nullptr);
    EXPECT_EQ(Elements(array), sorted);

    Load(array, std::vector<std::string>(count, "same"));
    SortStringRange(&array(0), &array(-1), nullptr);
    EXPECT_EQ(Elements(array), std::vector<std::string>(count, "same"));
}

}  // namespace
