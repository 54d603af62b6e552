// Values in files are stored little-endian whatever the host's byte order.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace zrv {

template <class T>
T LoadLittleEndian(const void* bytes) noexcept {
    static_assert(sizeof(T) <= 8);
    std::uint8_t ordered[sizeof(T)];
    std::memcpy(ordered, bytes, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(ordered[i], ordered[sizeof(T) - 1 - i]);
    }
    T value;
    std::memcpy(&value, ordered, sizeof(T));
    return value;
}

template <class T>
void StoreLittleEndian(T value, void* bytes) noexcept {
    static_assert(sizeof(T) <= 8);
    std::uint8_t ordered[sizeof(T)];
    std::memcpy(ordered, &value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(ordered[i], ordered[sizeof(T) - 1 - i]);
    }
    std::memcpy(bytes, ordered, sizeof(T));
}

}  // namespace zrv
