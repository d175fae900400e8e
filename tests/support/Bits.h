#pragma once

#include <cstdint>
#include <cstring>

// The bit pattern of a double, for comparisons that must hold to the last bit (NaN and -0 too).
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline double fromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
