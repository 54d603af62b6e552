#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "support/temp_dir.h"
#include "zorvane/rt_array.h"
#include "zorvane/rt_string.h"

namespace {

using zrv::test::StopErrorCode;

std::string Text(const RtString& s) { return std::string(s.Buffer(), s.Length()); }

const DataItem kMixed[] = {
    {2.5, nullptr},
    {0, "12.75"},
    {-3.9, nullptr},
    {0, "word"},
};

TEST(DataList, ItemsAreReadInOrderAndConvertedToTheTargetKind) {
    DataList list{kMixed, 4, 0};
    ASSERT_EQ(SetDataList(&list), &list);

    RtString text;
    ReadDataText(text);
    EXPECT_EQ(Text(text), Text(NumberToText(2.5)));
    EXPECT_EQ(Text(text), "2.5");

    double number = 0;
    ReadDataNumber(number);
    EXPECT_EQ(number, 12.75);

    std::int32_t integer = 0;
    ReadDataInt(integer);
    EXPECT_EQ(integer, -3);  // truncated toward zero

    ReadDataText(text);
    EXPECT_EQ(Text(text), "word");
    EXPECT_EQ(list.readIndex, 4);
}

TEST(DataList, SettingAListRewindsIt) {
    DataList list{kMixed, 4, 3};
    SetDataList(&list);
    EXPECT_EQ(list.readIndex, 0);
    double first = 0;
    ReadDataNumber(first);
    ReadDataNumber(first);
    SetDataList(&list);
    ReadDataNumber(first);
    EXPECT_EQ(first, 2.5);

    // Switching lists leaves the other one's position as it was.
    const DataItem other[] = {{0, "17"}, {8, nullptr}};
    DataList second{other, 2, 0};
    SetDataList(&second);
    std::int32_t value = 0;
    ReadDataInt(value);
    EXPECT_EQ(value, 17);
    EXPECT_EQ(list.readIndex, 1);
}

TEST(DataList, NumbersOutsideTheInt32RangeReadAsTheSmallestInt) {
    const DataItem items[] = {{1e12, nullptr}, {std::numeric_limits<double>::quiet_NaN(), nullptr}};
    DataList list{items, 2, 0};
    SetDataList(&list);
    std::int32_t value = 0;
    ReadDataInt(value);
    EXPECT_EQ(value, INT32_MIN);
    ReadDataInt(value);
    EXPECT_EQ(value, INT32_MIN);
}

TEST(DataList, ReadingPastTheEndOrWithoutAListStopsWithOutOfData) {
    EXPECT_EQ(StopErrorCode([] {
                  static const DataItem items[] = {{1, nullptr}, {2, nullptr}};
                  static DataList list{items, 2, 0};
                  SetDataList(&list);
                  double value = 0;
                  ReadDataNumber(value);
                  ReadDataNumber(value);
                  if (value != 2) return;  // the child then exits with 99, failing the test
                  ReadDataNumber(value);
              }),
              20);
    EXPECT_EQ(StopErrorCode([] {
                  SetDataList(nullptr);
                  RtString text;
                  ReadDataText(text);
              }),
              20);
    EXPECT_EQ(StopErrorCode([] {
                  static DataList empty{nullptr, 0, 0};
                  SetDataList(&empty);
                  std::int32_t value = 0;
                  ReadDataInt(value);
              }),
              20);
}

}  // namespace
