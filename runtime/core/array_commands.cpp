// The array commands of compiled programs: DIM, REDIM, copying, filling, element access.
#include <algorithm>
#include <cstdint>

#include "zorvane/rt_array.h"

void DimArray(RtNumberArray& array, std::int32_t count1, std::int32_t count2,
              std::int32_t count3, std::int32_t count4) {
    array.Dim(count1, count2, count3, count4);
}

void DimIntArray(RtIntArray& array, std::int32_t count1, std::int32_t count2,
                 std::int32_t count3, std::int32_t count4) {
    array.Dim(count1, count2, count3, count4);
}

void DimStringArray(RtStringArray& array, std::int32_t count1, std::int32_t count2,
                    std::int32_t count3, std::int32_t count4) {
    array.Dim(count1, count2, count3, count4);
}

void DimByteArray(RtByteArray& array, std::int32_t count1, std::int32_t count2,
                  std::int32_t count3, std::int32_t count4) {
    array.Dim(count1, count2, count3, count4);
}

void RedimArray(RtNumberArray& array, std::int32_t count1, std::int32_t count2,
                std::int32_t count3, std::int32_t count4) {
    array.Redim(count1, count2, count3, count4);
}

void RedimIntArray(RtIntArray& array, std::int32_t count1, std::int32_t count2,
                   std::int32_t count3, std::int32_t count4) {
    array.Redim(count1, count2, count3, count4);
}

void RedimStringArray(RtStringArray& array, std::int32_t count1, std::int32_t count2,
                      std::int32_t count3, std::int32_t count4) {
    array.Redim(count1, count2, count3, count4);
}

namespace {

template <class T>
void CopyElements(RtArray<T>& target, const RtArray<T>& source) {
    // Dimensioning the target first would wipe a source that is the target itself.
    if (&target == &source) return;
    target.Dim(source.Size(0), source.Size(1), source.Size(2), source.Size(3));
    if (!source.IsDimensioned()) return;
    // The target now has the source's shape, so both hold the same element count.
    const std::int64_t count = static_cast<std::int64_t>(source.Size(0)) *
                               std::max(1, source.Size(1)) * std::max(1, source.Size(2)) *
                               std::max(1, source.Size(3));
    std::copy_n(source.Data(), count, target.Data());
}

template <class T>
void FillElements(RtArray<T>& array, std::int32_t n, const T* values) {
    array.Dim(n);
    for (std::int32_t i = 0; i < n; ++i) array(i) = values[i];
}

}  // namespace

void CopyArray(RtNumberArray& target, const RtNumberArray& source) {
    CopyElements(target, source);
}

void CopyIntArray(RtIntArray& target, const RtIntArray& source) { CopyElements(target, source); }

void FillArray(RtNumberArray& array, std::int32_t n, const double* values) {
    FillElements(array, n, values);
}

void FillIntArray(RtIntArray& array, std::int32_t n, const std::int32_t* values) {
    FillElements(array, n, values);
}

double* ArrayElement(RtNumberArray& array, std::int32_t i1, std::int32_t i2, std::int32_t i3) {
    return &array(i1, i2, i3, 0);
}

double* ArrayElement4(RtNumberArray& array, std::int32_t i1, std::int32_t i2, std::int32_t i3,
                      std::int32_t i4) {
    return &array(i1, i2, i3, i4);
}

std::int32_t* IntArrayElement(RtIntArray& array, std::int32_t i1, std::int32_t i2,
                              std::int32_t i3, std::int32_t i4) {
    return &array(i1, i2, i3, i4);
}
