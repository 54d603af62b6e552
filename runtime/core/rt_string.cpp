#include "zorvane/rt_string.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/fatal.h"

namespace {

// The one empty text every empty value points at; never written, never freed.
const char sharedEmpty[1] = {0};

char* SharedEmpty() noexcept { return const_cast<char*>(sharedEmpty); }

void FreeBuffer(char* buffer) noexcept {
    if (buffer != nullptr && buffer != sharedEmpty) std::free(buffer);
}

std::uint32_t CStringLength(const char* text) noexcept {
    return text == nullptr ? 0 : static_cast<std::uint32_t>(std::strlen(text));
}

}  // namespace

RtString::RtString() noexcept : buffer_(SharedEmpty()), capacity_(0), length_(0) {}

RtString::RtString(const char* text) : RtString() {
    const std::uint32_t n = CStringLength(text);
    if (n == 0) return;
    Reserve(n, false);
    std::memcpy(buffer_, text, n + 1);
    length_ = n;
}

RtString::RtString(const char* bytes, std::uint32_t count) : RtString() {
    if (count == 0) return;
    Reserve(count, false);
    std::memcpy(buffer_, bytes, count);
    buffer_[count] = 0;
    length_ = count;
}

RtString::RtString(const RtString& other) : RtString() {
    if (other.length_ == 0) return;
    Reserve(other.length_, false);
    std::memcpy(buffer_, other.buffer_, other.length_);
    buffer_[other.length_] = 0;
    length_ = other.length_;
}

RtString::RtString(RtString&& other) noexcept : RtString() { Swap(other); }

RtString::~RtString() { Release(); }

RtString& RtString::operator=(const RtString& other) {
    RtString fresh(other);
    Swap(fresh);
    return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
    RtString fresh(std::move(other));
    Swap(fresh);
    return *this;
}

RtString& RtString::operator=(const char* text) {
    RtString fresh(text);
    Swap(fresh);
    return *this;
}

void RtString::Swap(RtString& other) noexcept {
    std::swap(buffer_, other.buffer_);
    std::swap(capacity_, other.capacity_);
    std::swap(length_, other.length_);
}

bool RtString::UsesSharedEmpty() const noexcept { return buffer_ == sharedEmpty; }

void RtString::InitEmpty() noexcept {
    buffer_ = SharedEmpty();
    capacity_ = 0;
    length_ = 0;
}

void RtString::Release() noexcept {
    FreeBuffer(buffer_);
    buffer_ = nullptr;
    capacity_ = 0;
    length_ = 0;
}

void RtString::Clear() noexcept {
    FreeBuffer(buffer_);
    InitEmpty();
}

void RtString::Reserve(std::uint32_t n, bool keep) {
    if (n == 0) return;
    const std::uint64_t needed = std::uint64_t{n} + 1;
    if (capacity_ >= needed) return;
    // The next multiple of 16 strictly above what is needed: growth is linear, never doubled.
    const std::uint64_t newCapacity = (needed & ~std::uint64_t{15}) + 16;
    if (newCapacity > UINT32_MAX) zrv::StopOutOfMemory();
    char* block = static_cast<char*>(std::malloc(newCapacity));
    if (block == nullptr) zrv::StopOutOfMemory();
    if (keep && length_ > 0) {
        std::memcpy(block, buffer_, length_);
        block[length_] = 0;
    } else {
        block[0] = 0;
    }
    FreeBuffer(buffer_);
    buffer_ = block;
    capacity_ = static_cast<std::uint32_t>(newCapacity);
}

char* RtString::WritableBuffer(std::uint32_t n) {
    // Even a request for 0 bytes gets a block of its own: the shared empty text must never
    // be handed out for writing.
    Reserve(n == 0 ? 1 : n, true);
    return buffer_;
}

void RtString::SyncLength() noexcept {
    if (buffer_ == nullptr || capacity_ == 0) {
        length_ = 0;
        return;
    }
    const void* nul = std::memchr(buffer_, 0, capacity_);
    if (nul == nullptr) {
        buffer_[capacity_ - 1] = 0;
        length_ = capacity_ - 1;
    } else {
        length_ = static_cast<std::uint32_t>(static_cast<const char*>(nul) - buffer_);
    }
}

void RtString::TruncateText(std::int32_t n) noexcept {
    if (n < 0 || static_cast<std::uint32_t>(n) >= capacity_) return;
    buffer_[n] = 0;
    length_ = static_cast<std::uint32_t>(n);
}

void RtString::AppendBytes(const char* bytes, std::uint32_t count) {
    if (count == 0) return;
    // Appending a value to itself: growing frees the block the bytes come from.
    if (bytes >= buffer_ && bytes < buffer_ + capacity_ && std::uint64_t{length_} + count + 1 > capacity_) {
        const RtString copy(bytes, count);
        AppendBytes(copy.buffer_, count);
        return;
    }
    const std::uint64_t total = std::uint64_t{length_} + count;
    if (total >= UINT32_MAX) zrv::StopOutOfMemory();
    Reserve(static_cast<std::uint32_t>(total), true);
    std::memmove(buffer_ + length_, bytes, count);
    length_ = static_cast<std::uint32_t>(total);
    buffer_[length_] = 0;
}

RtString& RtString::operator+=(const RtString& text) {
    AppendBytes(text.buffer_, text.length_);
    return *this;
}

RtString& RtString::operator+=(const char* text) {
    AppendBytes(text, CStringLength(text));
    return *this;
}

RtString& RtString::operator+=(std::int32_t number) { return *this += IntToText(number); }
RtString& RtString::operator+=(float number) { return *this += NumberToText(number); }
RtString& RtString::operator+=(double number) { return *this += NumberToText(number); }

// ---- Concatenation -------------------------------------------------------------------

RtString operator+(const RtString& left, const RtString& right) {
    RtString result(left);
    result += right;
    return result;
}
RtString operator+(const RtString& left, const char* right) {
    RtString result(left);
    result += right;
    return result;
}
RtString operator+(const char* left, const RtString& right) {
    RtString result(left);
    result += right;
    return result;
}
RtString operator+(const RtString& left, std::int32_t right) { return left + IntToText(right); }
RtString operator+(std::int32_t left, const RtString& right) { return IntToText(left) + right; }
RtString operator+(const RtString& left, float right) { return left + NumberToText(right); }
RtString operator+(float left, const RtString& right) { return NumberToText(left) + right; }
RtString operator+(const RtString& left, double right) { return left + NumberToText(right); }
RtString operator+(double left, const RtString& right) { return NumberToText(left) + right; }

// ---- Comparison ----------------------------------------------------------------------

namespace {

std::strong_ordering FromCompare(int c) noexcept {
    return c < 0 ? std::strong_ordering::less
                 : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

const char* TextOf(const char* text) noexcept { return text == nullptr ? sharedEmpty : text; }

}  // namespace

std::int32_t CompareText(const RtString& left, const RtString& right) noexcept {
    return std::strcmp(TextOf(left.Buffer()), TextOf(right.Buffer()));
}

std::int32_t CompareTextNumber(const RtString& text, double number) noexcept {
    const double value = TextToNumber(text);
    return value < number ? -1 : (value > number ? 1 : 0);
}

std::int32_t CompareTextInt(const RtString& text, std::int32_t number) noexcept {
    const std::int32_t value = TextToInt(text);
    return value < number ? -1 : (value > number ? 1 : 0);
}

bool operator==(const RtString& left, const RtString& right) noexcept {
    return left.Length() == right.Length() && CompareText(left, right) == 0;
}
bool operator==(const RtString& left, const char* right) noexcept {
    return std::strcmp(TextOf(left.Buffer()), TextOf(right)) == 0;
}
bool operator==(const RtString& left, std::int32_t right) noexcept {
    return TextToInt(left) == right;
}
bool operator==(const RtString& left, float right) noexcept {
    return TextToNumber(left) == static_cast<double>(right);
}
bool operator==(const RtString& left, double right) noexcept { return TextToNumber(left) == right; }

std::strong_ordering operator<=>(const RtString& left, const RtString& right) noexcept {
    return FromCompare(CompareText(left, right));
}
std::strong_ordering operator<=>(const RtString& left, const char* right) noexcept {
    return FromCompare(std::strcmp(TextOf(left.Buffer()), TextOf(right)));
}
std::strong_ordering operator<=>(const RtString& left, std::int32_t right) noexcept {
    return TextToInt(left) <=> right;
}
std::partial_ordering operator<=>(const RtString& left, float right) noexcept {
    return TextToNumber(left) <=> static_cast<double>(right);
}
std::partial_ordering operator<=>(const RtString& left, double right) noexcept {
    return TextToNumber(left) <=> right;
}
