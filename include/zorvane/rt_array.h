// RtArray: the runtime's bounds-checked array of numbers, integers, texts or bytes with up
// to four dimensions, and the inline data lists of a program.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zorvane/rt_string.h"

namespace zrv::detail {

template <class T>
struct ArrayKind;
template <>
struct ArrayKind<double> {
    static constexpr std::int32_t step = 8;
    static constexpr std::int32_t inlineCount = 16;
};
template <>
struct ArrayKind<std::int32_t> {
    static constexpr std::int32_t step = 8;
    static constexpr std::int32_t inlineCount = 16;
};
template <>
struct ArrayKind<RtString> {
    static constexpr std::int32_t step = 64;
    static constexpr std::int32_t inlineCount = 0;
};
template <>
struct ArrayKind<std::uint8_t> {
    static constexpr std::int32_t step = 64;
    static constexpr std::int32_t inlineCount = 0;
};

template <class T, std::int32_t N>
struct InlineStore {
    T items[N];
};
template <class T>
struct InlineStore<T, 0> {};

// Error 9 and the end of the program; out of line so that the checked access stays small.
[[noreturn]] void ArrayIndexFault();

}  // namespace zrv::detail

template <class T>
class RtArray {
public:
    using Kind = zrv::detail::ArrayKind<T>;

    RtArray() noexcept = default;
    // Copying dimensions the copy like the source and copies every element.
    RtArray(const RtArray& other);
    RtArray& operator=(const RtArray& other);
    RtArray(RtArray&& other) noexcept;
    RtArray& operator=(RtArray&& other) noexcept;
    ~RtArray();

    // DIM: every element becomes 0 or the empty text; old contents are never kept.
    void Dim(std::int32_t count1, std::int32_t count2 = 0, std::int32_t count3 = 0,
             std::int32_t count4 = 0);
    // REDIM: resize keeping the overlapping elements (texts: of the first two dimensions).
    void Redim(std::int32_t count1, std::int32_t count2 = 0, std::int32_t count3 = 0,
               std::int32_t count4 = 0);

    // Checked element access: the first index wraps once from the end (-1 is the last
    // element along the first dimension); any failure stops the program with error 9.
    T& operator()(std::int32_t i1, std::int32_t i2 = 0, std::int32_t i3 = 0, std::int32_t i4 = 0) {
        return data_[Position(i1, i2, i3, i4)];
    }
    const T& operator()(std::int32_t i1, std::int32_t i2 = 0, std::int32_t i3 = 0,
                        std::int32_t i4 = 0) const {
        return data_[Position(i1, i2, i3, i4)];
    }

    std::int32_t Size(std::int32_t dimension) const noexcept {
        return dimension >= 0 && dimension < 4 ? sizes_[dimension] : 0;
    }
    std::int32_t DimCount() const noexcept { return dimCount_; }
    std::int32_t CapacityCount() const noexcept { return capacity_; }
    std::int32_t Stride(std::int32_t index) const noexcept { return strides_[index]; }
    bool IsDimensioned() const noexcept { return data_ != nullptr; }
    bool UsesInlineStore() const noexcept;
    // The storage itself, element order: the first index varies fastest.
    T* Data() noexcept { return data_; }
    const T* Data() const noexcept { return data_; }

private:
    std::ptrdiff_t Position(std::int32_t i1, std::int32_t i2, std::int32_t i3,
                            std::int32_t i4) const {
        if (i1 < 0) i1 += sizes_[0];
        // An unused dimension only accepts index 0; anything else would address memory
        // outside the array through the strides of the used dimensions.
        if ((i1 | i2 | i3 | i4) < 0 || data_ == nullptr || i1 >= sizes_[0] ||
            (sizes_[1] != 0 ? i2 >= sizes_[1] : i2 != 0) ||
            (sizes_[2] != 0 ? i3 >= sizes_[2] : i3 != 0) ||
            (sizes_[3] != 0 ? i4 >= sizes_[3] : i4 != 0)) {
            zrv::detail::ArrayIndexFault();
        }
        return i1 + static_cast<std::ptrdiff_t>(i2) * strides_[0] +
               static_cast<std::ptrdiff_t>(i3) * strides_[1] +
               static_cast<std::ptrdiff_t>(i4) * strides_[2];
    }
    void ReleaseStorage() noexcept;
    void TakeOver(RtArray& other) noexcept;

    T* data_ = nullptr;
    [[no_unique_address]] zrv::detail::InlineStore<T, Kind::inlineCount> inlineStore_;
    std::int32_t strides_[3] = {0, 0, 0};
    std::int32_t sizes_[4] = {0, 0, 0, 0};
    std::int32_t dimCount_ = 0;
    std::int32_t capacity_ = 0;
};

extern template class RtArray<double>;
extern template class RtArray<std::int32_t>;
extern template class RtArray<RtString>;
extern template class RtArray<std::uint8_t>;

using RtNumberArray = RtArray<double>;
using RtIntArray = RtArray<std::int32_t>;
using RtStringArray = RtArray<RtString>;
using RtByteArray = RtArray<std::uint8_t>;

// ---- Commands ------------------------------------------------------------------------

// Dimensions the array; every element becomes 0.
void DimArray(RtNumberArray& array, std::int32_t count1, std::int32_t count2 = 0,
              std::int32_t count3 = 0, std::int32_t count4 = 0);
// Dimensions the array; every element becomes 0.
void DimIntArray(RtIntArray& array, std::int32_t count1, std::int32_t count2 = 0,
                 std::int32_t count3 = 0, std::int32_t count4 = 0);
// Dimensions the array; every element becomes the empty text.
void DimStringArray(RtStringArray& array, std::int32_t count1, std::int32_t count2 = 0,
                    std::int32_t count3 = 0, std::int32_t count4 = 0);
// Dimensions the array; every element becomes 0.
void DimByteArray(RtByteArray& array, std::int32_t count1, std::int32_t count2 = 0,
                  std::int32_t count3 = 0, std::int32_t count4 = 0);
// Resizes the array, keeping the elements that fit in all four dimensions.
void RedimArray(RtNumberArray& array, std::int32_t count1, std::int32_t count2 = 0,
                std::int32_t count3 = 0, std::int32_t count4 = 0);
// Resizes the array, keeping the elements that fit in all four dimensions.
void RedimIntArray(RtIntArray& array, std::int32_t count1, std::int32_t count2 = 0,
                   std::int32_t count3 = 0, std::int32_t count4 = 0);
// Resizes the array, keeping the elements that fit in the first two dimensions.
void RedimStringArray(RtStringArray& array, std::int32_t count1, std::int32_t count2 = 0,
                      std::int32_t count3 = 0, std::int32_t count4 = 0);
// Dimensions target as source and copies every element.
void CopyArray(RtNumberArray& target, const RtNumberArray& source);
// Dimensions target as source and copies every element.
void CopyIntArray(RtIntArray& target, const RtIntArray& source);
// Dimensions the array to n and stores the n values.
void FillArray(RtNumberArray& array, std::int32_t n, const double* values);
// Dimensions the array to n and stores the n values.
void FillIntArray(RtIntArray& array, std::int32_t n, const std::int32_t* values);
// Appends one element to a one-dimensional text array.
void PushStringElement(RtStringArray& array, const RtString& text);
// Splits the text at any of the delimiter bytes into the array; the number of pieces.
std::int32_t SplitString(const RtString& text, RtStringArray& array, const RtString& delimiters);

// The size of dimension 0..3; 0 for any other dimension.
// The size of dimension 0..3; 0 for any other dimension.
template <class T>
std::int32_t ArrayBound(const RtArray<T>& array, std::int32_t dimension) noexcept {
    return array.Size(dimension);
}

// The checked element at three indices.
double* ArrayElement(RtNumberArray& array, std::int32_t i1, std::int32_t i2, std::int32_t i3);
// The checked element at four indices.
double* ArrayElement4(RtNumberArray& array, std::int32_t i1, std::int32_t i2, std::int32_t i3,
                      std::int32_t i4);
// The checked element at four indices.
std::int32_t* IntArrayElement(RtIntArray& array, std::int32_t i1, std::int32_t i2,
                              std::int32_t i3, std::int32_t i4);

// Sorts first..last (both inclusive) ascending; a null compare means byte order (strcmp).
using StringCompare = std::int32_t (*)(const RtString& left, const RtString& right);
void SortStringRange(RtString* first, RtString* last, StringCompare compare);

// ---- Inline data lists ---------------------------------------------------------------

struct DataItem {
    double number;
    const char* text;  // null when the item is a number
};

struct DataList {
    const DataItem* items;
    std::int32_t count;
    std::int32_t readIndex;
};

// Makes the list the current one, read from its first item.
DataList* SetDataList(DataList* list) noexcept;
// The next item of the current data list.
void ReadDataText(RtString& target);
// The next item of the current data list.
void ReadDataNumber(double& target);
// The next item of the current data list.
void ReadDataInt(std::int32_t& target);
