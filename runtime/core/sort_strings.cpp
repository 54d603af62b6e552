// In-place sorting of a range of texts (the file listing sorts its names with it).
#include <cstddef>
#include <cstdint>

#include "zorvane/rt_array.h"

namespace {

// Below this many elements insertion sort beats partitioning.
constexpr std::ptrdiff_t kInsertionLimit = 12;

template <class Less>
void InsertionSort(RtString* first, RtString* last, Less less) {
    for (RtString* next = first + 1; next <= last; ++next) {
        for (RtString* at = next; at > first && less(at[0], at[-1]); --at) at[0].Swap(at[-1]);
    }
}

// Quicksort with the pivot kept at the last position of the range while two cursors sweep
// towards each other. The pivot is the median of the first, middle and last elements, which
// keeps sorted and reversed input from degrading; recursing only into the smaller part
// keeps the stack depth logarithmic. The cursor bounds also hold for a comparison that is
// not a consistent order, so such a function can scramble the range but never leave it.
template <class Less>
void QuickSort(RtString* first, RtString* last, Less less) {
    while (last - first >= kInsertionLimit) {
        RtString* middle = first + (last - first) / 2;
        if (less(*middle, *first)) middle->Swap(*first);
        if (less(*last, *first)) last->Swap(*first);
        if (less(*middle, *last)) middle->Swap(*last);
        const RtString& pivot = *last;

        RtString* a = first - 1;
        RtString* b = last;
        for (;;) {
            while (++a < last && less(*a, pivot)) {
            }
            while (--b > first && less(pivot, *b)) {
            }
            if (a >= b) break;
            a->Swap(*b);
        }
        // a holds the first element not below the pivot; the pivot takes its place.
        a->Swap(*last);

        if (a - first < last - a) {
            QuickSort(first, a - 1, less);
            first = a + 1;
        } else {
            QuickSort(a + 1, last, less);
            last = a - 1;
        }
    }
    if (first < last) InsertionSort(first, last, less);
}

}  // namespace

void SortStringRange(RtString* first, RtString* last, StringCompare compare) {
    if (first == nullptr || last == nullptr || last <= first) return;
    if (compare == nullptr) {
        QuickSort(first, last, [](const RtString& left, const RtString& right) {
            return CompareText(left, right) < 0;
        });
    } else {
        QuickSort(first, last, [compare](const RtString& left, const RtString& right) {
            return compare(left, right) < 0;
        });
    }
}
