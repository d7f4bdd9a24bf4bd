#pragma once
#include <cstdint>

namespace quorvex::le {

// Every number inside the preset and backup files is little-endian.
template <typename T>
T get(const std::uint8_t* p) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<T>(p[i]) << (8 * i));
    return value;
}

template <typename T>
void put(std::uint8_t* p, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

}  // namespace quorvex::le
