#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

// Steps on numbers given by their decimal digits, most significant first, with no NUL: the
// printer's shortest exponent form compares, complements and rounds its candidates with them.
// Each one stays within the count of digits it is given, whatever those digits are.

// Whether the number of count digits, leading zeros allowed, is below the gap of gapCount digits,
// which has no leading zero and is not zero.
inline bool isDecimalBelow(const char* digits, std::size_t count, const char* gap,
                           std::size_t gapCount) {
    for (; count != 0 && *digits == '0'; --count) {
        ++digits;
    }
    if (count != gapCount) {
        return count < gapCount;
    }
    return std::memcmp(digits, gap, count) < 0;
}

// Writes the k + 1 digits of 10^k - r, for the k-digit number r.
inline void writeTenComplement(const char* r, std::size_t k, char* complement) {
    std::size_t lastNonZero = k;
    while (lastNonZero != 0 && r[lastNonZero - 1] == '0') {
        --lastNonZero;
    }
    if (lastNonZero == 0) {
        complement[0] = '1';
        std::fill_n(complement + 1, k, '0');
        return;
    }
    complement[0] = '0';
    for (std::size_t i = 0; i + 1 < lastNonZero; ++i) {
        complement[i + 1] = static_cast<char>('9' - (r[i] - '0'));
    }
    complement[lastNonZero] = static_cast<char>('0' + 10 - (r[lastNonZero - 1] - '0'));
    std::fill_n(complement + lastNonZero + 1, k - lastNonZero, '0');
}

// Adds one unit in the last of the count digits of a significand, count not zero, and returns
// how many digits are left: the carry drops the nines it passes, and past the first digit leaves
// the single digit 1, a power of ten higher, which it adds to decimalExponent.
inline std::size_t roundUpInLastDigit(char* digits, std::size_t count,
                                      std::size_t& decimalExponent) {
    while (count != 0 && digits[count - 1] == '9') {
        --count;
    }
    if (count == 0) {
        digits[0] = '1';
        ++decimalExponent;
        return 1;
    }
    ++digits[count - 1];
    return count;
}
