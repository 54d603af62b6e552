// RtString: the runtime's one text value. Byte strings, NUL-terminated, one heap block per
// non-empty value; every empty value shares one static empty text.
#pragma once

#include <compare>
#include <cstdint>

class RtString {
public:
    RtString() noexcept;
    RtString(const char* text);  // NOLINT: implicit, text literals are ordinary arguments
    // The first count bytes at bytes (which must not contain a NUL).
    RtString(const char* bytes, std::uint32_t count);
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;
    ~RtString();

    // Assignment builds the new value first and swaps it in, so assigning a value to itself
    // or failing half-way never damages the old contents.
    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    RtString& operator=(const char* text);

    RtString& operator+=(const RtString& text);
    RtString& operator+=(const char* text);
    RtString& operator+=(std::int32_t number);
    RtString& operator+=(float number);
    RtString& operator+=(double number);

    const char* Buffer() const noexcept { return buffer_; }
    const char* c_str() const noexcept { return buffer_; }
    std::uint32_t Capacity() const noexcept { return capacity_; }
    std::uint32_t Length() const noexcept { return length_; }
    bool IsEmpty() const noexcept { return length_ == 0; }
    bool UsesSharedEmpty() const noexcept;

    // Low-level operations of compiled code and of the runtime itself.
    void InitEmpty() noexcept;
    void Release() noexcept;
    void Clear() noexcept;
    void Reserve(std::uint32_t n, bool keep);
    char* WritableBuffer(std::uint32_t n);
    void SyncLength() noexcept;
    void TruncateText(std::int32_t n) noexcept;
    void Swap(RtString& other) noexcept;

private:
    void AppendBytes(const char* bytes, std::uint32_t count);

    char* buffer_;
    std::uint32_t capacity_;
    std::uint32_t length_;
};

// Concatenation: a new value from the left operand with the right one appended. Numbers
// are turned into text with IntToText or NumberToText. (Two C strings cannot be joined
// with +: write RtString("a") + "b".)
RtString operator+(const RtString& left, const RtString& right);
RtString operator+(const RtString& left, const char* right);
RtString operator+(const char* left, const RtString& right);
RtString operator+(const RtString& left, std::int32_t right);
RtString operator+(std::int32_t left, const RtString& right);
RtString operator+(const RtString& left, float right);
RtString operator+(float left, const RtString& right);
RtString operator+(const RtString& left, double right);
RtString operator+(double left, const RtString& right);

// Comparison. Text with text compares bytes as strcmp does; text with a number converts
// the text to a number (TextToNumber for float and double, TextToInt for int32) and
// compares numbers. The reversed and the remaining relations follow from these.
bool operator==(const RtString& left, const RtString& right) noexcept;
bool operator==(const RtString& left, const char* right) noexcept;
bool operator==(const RtString& left, std::int32_t right) noexcept;
bool operator==(const RtString& left, float right) noexcept;
bool operator==(const RtString& left, double right) noexcept;
std::strong_ordering operator<=>(const RtString& left, const RtString& right) noexcept;
std::strong_ordering operator<=>(const RtString& left, const char* right) noexcept;
std::strong_ordering operator<=>(const RtString& left, std::int32_t right) noexcept;
std::partial_ordering operator<=>(const RtString& left, float right) noexcept;
std::partial_ordering operator<=>(const RtString& left, double right) noexcept;

// Three-way forms: strcmp's result for two texts, -1/0/1 with a number.
std::int32_t CompareText(const RtString& left, const RtString& right) noexcept;
// -1, 0 or 1 as the text's number is below, equal to or above the number.
std::int32_t CompareTextNumber(const RtString& text, double number) noexcept;
// -1, 0 or 1 as the text's number is below, equal to or above the number.
std::int32_t CompareTextInt(const RtString& text, std::int32_t number) noexcept;

// Conversions and string commands.
RtString NumberToText(double value);
// Ten significant digits, a trailing decimal point removed.
RtString NumberToText(float value);
// Decimal digits, "-" before a negative value.
RtString IntToText(std::int32_t value);
// The number at the start of the text as atof reads it; 0 when there is none.
double TextToNumber(const RtString& text) noexcept;
// The number at the start of the text as atof reads it; 0 when there is none.
double TextToNumber(const char* text) noexcept;
// The whole number at the start of the text as atoi reads it; 0 when there is none.
std::int32_t TextToInt(const RtString& text) noexcept;
// The whole number at the start of the text as atoi reads it; 0 when there is none.
std::int32_t TextToInt(const char* text) noexcept;
// count bytes from start (0 is the first); out-of-range parts are clipped.
RtString MidString(const RtString& text, std::int32_t start, std::int32_t count);
// The text with every occurrence of search replaced.
RtString ReplaceText(const RtString& text, const RtString& search, const RtString& replacement);
// A copy with "a".."z" made upper case.
RtString UpperCase(const RtString& text);
// A copy with "A".."Z" made lower case.
RtString LowerCase(const RtString& text);
// Makes "a".."z" of the text upper case.
void UpperCaseInPlace(RtString& text) noexcept;
// Makes "A".."Z" of the text lower case.
void LowerCaseInPlace(RtString& text) noexcept;
// The value with decimals places, right-aligned to width.
RtString FormatNumber(double width, double decimals, double value);
// The length of NumberToText(value).
std::int32_t NumberTextLength(double value);
// The length of IntToText(value).
std::int32_t IntTextLength(std::int32_t value);
// Two upper-case hexadecimal digits per byte, in memory order.
RtString BytesToHex(const void* bytes, std::int32_t count);
