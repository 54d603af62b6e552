// Storage and shape of RtArray: dimensioning, resizing, copying and releasing.
#include "zorvane/rt_array.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <type_traits>

#include "core/fatal.h"

namespace zrv::detail {

void ArrayIndexFault() { zrv::StopWithError(9); }

}  // namespace zrv::detail

namespace {

constexpr std::int64_t kMaxCount = INT32_MAX;

// count1' × max(1, count2) × max(1, count3) × max(1, count4). Each factor is below 2^31, so
// every partial product fits 64 bits as long as it is checked against the int32 range after
// each step; a total that leaves that range cannot be stored and stops with error 7.
std::int64_t ElementTotal(std::int32_t size1, std::int32_t count2, std::int32_t count3,
                          std::int32_t count4) {
    std::int64_t total = size1;
    for (const std::int32_t count : {count2, count3, count4}) {
        total *= std::max<std::int32_t>(1, count);
        if (total > kMaxCount) zrv::StopOutOfMemory();
    }
    return total;
}

// Extent of the overlap loops along dimensions 2..4: an unused dimension still holds the
// elements with index 0 there.
std::int32_t LoopExtent(std::int32_t size) noexcept { return size == 0 ? 1 : size; }

}  // namespace

template <class T>
RtArray<T>::RtArray(const RtArray& other) {
    if (other.data_ == nullptr) return;
    Dim(other.sizes_[0], other.sizes_[1], other.sizes_[2], other.sizes_[3]);
    const std::int64_t total =
        ElementTotal(other.sizes_[0], other.sizes_[1], other.sizes_[2], other.sizes_[3]);
    std::copy_n(other.data_, total, data_);
}

template <class T>
RtArray<T>& RtArray<T>::operator=(const RtArray& other) {
    if (this == &other) return *this;
    if (other.data_ == nullptr) {
        ReleaseStorage();
        std::fill_n(sizes_, 4, 0);
        std::fill_n(strides_, 3, 0);
        dimCount_ = 0;
        return *this;
    }
    Dim(other.sizes_[0], other.sizes_[1], other.sizes_[2], other.sizes_[3]);
    const std::int64_t total =
        ElementTotal(other.sizes_[0], other.sizes_[1], other.sizes_[2], other.sizes_[3]);
    std::copy_n(other.data_, total, data_);
    return *this;
}

template <class T>
RtArray<T>::RtArray(RtArray&& other) noexcept {
    TakeOver(other);
}

template <class T>
RtArray<T>& RtArray<T>::operator=(RtArray&& other) noexcept {
    if (this == &other) return *this;
    ReleaseStorage();
    TakeOver(other);
    return *this;
}

template <class T>
RtArray<T>::~RtArray() {
    ReleaseStorage();
}

template <class T>
bool RtArray<T>::UsesInlineStore() const noexcept {
    if constexpr (Kind::inlineCount > 0) {
        return data_ != nullptr && data_ == inlineStore_.items;
    } else {
        return false;
    }
}

template <class T>
void RtArray<T>::ReleaseStorage() noexcept {
    // delete[] destroys the text elements from the last to the first.
    if (data_ != nullptr && !UsesInlineStore()) delete[] data_;
    data_ = nullptr;
    capacity_ = 0;
}

template <class T>
void RtArray<T>::TakeOver(RtArray& other) noexcept {
    if (other.UsesInlineStore()) {
        if constexpr (Kind::inlineCount > 0) {
            std::copy_n(other.inlineStore_.items, other.capacity_, inlineStore_.items);
            data_ = inlineStore_.items;
        }
    } else {
        data_ = other.data_;
    }
    std::copy_n(other.sizes_, 4, sizes_);
    std::copy_n(other.strides_, 3, strides_);
    dimCount_ = other.dimCount_;
    capacity_ = other.capacity_;
    other.data_ = nullptr;
    std::fill_n(other.sizes_, 4, 0);
    std::fill_n(other.strides_, 3, 0);
    other.dimCount_ = 0;
    other.capacity_ = 0;
}

template <class T>
void RtArray<T>::Dim(std::int32_t count1, std::int32_t count2, std::int32_t count3,
                     std::int32_t count4) {
    const std::int32_t size1 = count1 >= 1 ? count1 : 0;
    // Checked before anything is released: a stop leaves the array whole for the
    // destructors that run at exit.
    const std::int64_t total = ElementTotal(size1, count2, count3, count4);
    const std::int64_t needed64 = total / Kind::step * Kind::step + Kind::step;
    if (needed64 > kMaxCount) zrv::StopOutOfMemory();
    const auto needed = static_cast<std::int32_t>(needed64);

    if (capacity_ < needed || count1 < 1) {
        ReleaseStorage();
        bool useInline = false;
        if constexpr (std::is_same_v<T, double>) {
            useInline = needed <= Kind::inlineCount;
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
            useInline = total <= 7;
        }
        T* block = nullptr;
        if constexpr (Kind::inlineCount > 0) {
            if (useInline) block = inlineStore_.items;
        }
        if (block == nullptr) block = new (std::nothrow) T[static_cast<std::size_t>(needed)];
        if (block == nullptr) zrv::StopOutOfMemory();
        data_ = block;
        capacity_ = needed;
        // Fresh text elements are already empty.
        if constexpr (!std::is_same_v<T, RtString>) std::fill_n(data_, capacity_, T{});
    } else if constexpr (std::is_same_v<T, RtString>) {
        for (std::int32_t i = 0; i < needed; ++i) {
            RtString empty;
            data_[i].Swap(empty);
        }
    } else {
        std::fill_n(data_, capacity_, T{});
    }

    sizes_[0] = size1;
    sizes_[1] = count2;
    sizes_[2] = count3;
    sizes_[3] = count4;
    // Raw sizes, so an unused dimension makes its stride 0. Negative sizes (which no access
    // ever passes) may wrap; unsigned arithmetic keeps that defined.
    const auto stride1 = static_cast<std::uint64_t>(static_cast<std::int64_t>(size1));
    const auto stride2 = stride1 * static_cast<std::uint64_t>(static_cast<std::int64_t>(count2));
    const auto stride3 = stride2 * static_cast<std::uint64_t>(static_cast<std::int64_t>(count3));
    strides_[0] = static_cast<std::int32_t>(stride1);
    strides_[1] = static_cast<std::int32_t>(stride2);
    strides_[2] = static_cast<std::int32_t>(stride3);
    dimCount_ = count4 != 0 ? 4 : count3 != 0 ? 3 : count2 != 0 ? 2 : size1 > 0 ? 1 : 0;
}

template <class T>
void RtArray<T>::Redim(std::int32_t count1, std::int32_t count2, std::int32_t count3,
                       std::int32_t count4) {
    if (count1 < 1) {
        std::fill_n(sizes_, 4, 0);
        std::fill_n(strides_, 3, 0);
        dimCount_ = 0;
        return;
    }

    if constexpr (std::is_same_v<T, RtString>) {
        // Growing a one-dimensional text array inside the storage it already holds: the
        // kept elements stay where they are, so appending one element at a time does not
        // move the whole array each time.
        if (data_ != nullptr && sizes_[1] == 0 && sizes_[2] == 0 && sizes_[3] == 0 &&
            count2 == 0 && count3 == 0 && count4 == 0 && count1 >= sizes_[0] &&
            count1 <= capacity_) {
            for (std::int32_t i = sizes_[0]; i < count1; ++i) {
                RtString empty;
                data_[i].Swap(empty);
            }
            sizes_[0] = count1;
            strides_[0] = count1;
            dimCount_ = 1;
            return;
        }
    }

    RtArray fresh;
    fresh.Dim(count1, count2, count3, count4);

    if (dimCount_ >= 1) {
        const std::int32_t n1 = std::min(sizes_[0], fresh.sizes_[0]);
        const std::int32_t n2 = std::min(LoopExtent(sizes_[1]), LoopExtent(fresh.sizes_[1]));
        if constexpr (std::is_same_v<T, RtString>) {
            // Texts keep only the first two dimensions (index 0 in the others). The old
            // storage is released right after, so its elements are moved, not copied.
            for (std::int32_t i2 = 0; i2 < n2; ++i2) {
                RtString* from = data_ + static_cast<std::ptrdiff_t>(i2) * strides_[0];
                RtString* to = fresh.data_ + static_cast<std::ptrdiff_t>(i2) * fresh.strides_[0];
                for (std::int32_t i1 = 0; i1 < n1; ++i1) to[i1].Swap(from[i1]);
            }
        } else {
            const std::int32_t n3 = std::min(LoopExtent(sizes_[2]), LoopExtent(fresh.sizes_[2]));
            const std::int32_t n4 = std::min(LoopExtent(sizes_[3]), LoopExtent(fresh.sizes_[3]));
            // Indices stay below both arrays' sizes (or 0 in an unused dimension), so these
            // are exactly the positions the checked access would give; runs along the first
            // index are contiguous in both.
            for (std::int32_t i4 = 0; i4 < n4; ++i4) {
                for (std::int32_t i3 = 0; i3 < n3; ++i3) {
                    for (std::int32_t i2 = 0; i2 < n2 && n1 > 0; ++i2) {
                        const T* from = data_ + static_cast<std::ptrdiff_t>(i2) * strides_[0] +
                                        static_cast<std::ptrdiff_t>(i3) * strides_[1] +
                                        static_cast<std::ptrdiff_t>(i4) * strides_[2];
                        T* to = fresh.data_ + static_cast<std::ptrdiff_t>(i2) * fresh.strides_[0] +
                                static_cast<std::ptrdiff_t>(i3) * fresh.strides_[1] +
                                static_cast<std::ptrdiff_t>(i4) * fresh.strides_[2];
                        std::copy_n(from, n1, to);
                    }
                }
            }
        }
    }

    if (fresh.UsesInlineStore()) {
        // A small result: dimension this array anew (it may keep a larger block it already
        // holds) and take the elements over as one block.
        const std::int64_t total = ElementTotal(fresh.sizes_[0], count2, count3, count4);
        Dim(count1, count2, count3, count4);
        std::copy_n(fresh.data_, total, data_);
    } else {
        ReleaseStorage();
        TakeOver(fresh);
    }
}

template class RtArray<double>;
template class RtArray<std::int32_t>;
template class RtArray<RtString>;
template class RtArray<std::uint8_t>;
