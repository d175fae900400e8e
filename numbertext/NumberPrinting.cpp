#include "NumberText.h"

#include "BigUnsigned.h"
#include "DecimalDigits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Wide enough for every finite double, and for a double below 2^53 in millionths.
using Integer = BigUnsigned<1024>;

// The significant digits that tell every double from its neighbours: the nearest decimal of that
// many digits reads back to it.
constexpr std::size_t kRoundTripDigits = 17;

// A non-negative integer as its decimal digits, most significant first.
struct Digits {
    char text[Integer::kMaxDecimalDigits];
    std::size_t count = 0;
};

Digits digitsOf(const Integer& value) {
    Digits digits;
    digits.count = value.writeDecimal(digits.text);
    return digits;
}

// The digits of significand * 2^power.
Digits digitsOf(std::uint64_t significand, int power) {
    Integer value(significand);
    value.shiftLeft(static_cast<std::size_t>(power));
    return digitsOf(value);
}

// Writes "<integer>.<six decimals>" and the NUL; returns where the NUL is.
char* writeFixed(const char* integer, std::size_t integerCount, const char* decimals, char* out) {
    out = std::copy(integer, integer + integerCount, out);
    *out++ = '.';
    out = std::copy(decimals, decimals + 6, out);
    *out = '\0';
    return out;
}

// Writes "<digit>[.<digits>]e+<exponent>" and the NUL, for the digits' value times
// 10^(decimalExponent - count + 1); the exponent has two or three digits. Returns where the NUL is.
char* writeExponentForm(const char* digits, std::size_t count, std::size_t decimalExponent,
                        char* out) {
    *out++ = digits[0];
    if (count > 1) {
        *out++ = '.';
        out = std::copy(digits + 1, digits + count, out);
    }
    *out++ = 'e';
    *out++ = '+';
    char reversed[3];
    std::size_t length = 0;
    for (; decimalExponent != 0; decimalExponent /= 10) {
        reversed[length++] = static_cast<char>('0' + decimalExponent % 10);
    }
    out = std::reverse_copy(reversed, reversed + length, out);
    *out = '\0';
    return out;
}

// Writes the exponent form of the value's first n digits, n at most kRoundTripDigits, one unit
// more in the last of them when up. Returns where the NUL is.
char* writeRoundedExponentForm(const Digits& value, std::size_t n, bool up, char* out) {
    char chosen[kRoundTripDigits];
    std::copy(value.text, value.text + n, chosen);
    std::size_t decimalExponent = value.count - 1;
    const std::size_t length = up ? roundUpInLastDigit(chosen, n, decimalExponent) : n;
    return writeExponentForm(chosen, length, decimalExponent, out);
}

// Writes the shortest exponent form that reads back to the double significand * 2^exponent, an
// integer of more than 17 digits, so exponent > 3, with the given digits; returns where the NUL
// is. Of two shortest forms it takes the one nearer to the value.
//
// In a buffer of 100 bytes the value has at least 92 digits. Such a value m * 2^e, m < 2^53, is a
// multiple of 10^j only if 5^j divides m, so only for j <= 22: it has at least 70 significant
// digits. A form of at most 17 digits, as a shortest one is, is a multiple of 10^k, k > 74. So it
// never lies on the value, nor the value half-way between two of them (a multiple of 10^(k-1)),
// nor it half-way between the value and a neighbour: 5^k would divide 2m - 1, 2m + 1 or 4m - 1,
// all below 2^55. No tie is ever decided. In a smaller buffer, of two forms as near the value the
// one above is taken, and a form half-way to a neighbour is not.
char* writeShortestExponentForm(const Digits& value, std::uint64_t significand, int exponent,
                                char* out) {
    // A decimal reads back to the value when it is nearer to it than to either neighbour. The
    // neighbours lie 2^exponent away, the one below half as far for the smallest significand of
    // a binade.
    const Digits halfGap = digitsOf(1, exponent - 1);
    const Digits halfGapBelow =
        significand == (std::uint64_t{1} << 52) ? digitsOf(1, exponent - 2) : halfGap;

    // With n digits the candidates are the value's first n digits, and the next number up, each
    // followed by k = count - n zeros: their distances from the value are the last k digits r and
    // 10^k - r.
    char complement[Integer::kMaxDecimalDigits + 1];
    for (std::size_t n = 1; n < kRoundTripDigits; ++n) {
        const char* const r = value.text + n;
        const std::size_t k = value.count - n;
        // Both distances are at least 10^(k-1) unless r begins with 0 or 9: too far while the
        // half gap has fewer than k digits, as it has for all but the last few n.
        if (halfGap.count < k && r[0] != '0' && r[0] != '9') {
            continue;
        }
        writeTenComplement(r, k, complement);
        const bool downReadsBack = isDecimalBelow(r, k, halfGapBelow.text, halfGapBelow.count);
        const bool upReadsBack = isDecimalBelow(complement, k + 1, halfGap.text, halfGap.count);
        if (!downReadsBack && !upReadsBack) {
            continue;
        }
        // Of both, the nearer: the one up when r is more than half of 10^k, so from 5 on.
        const bool up = upReadsBack && (!downReadsBack || r[0] >= '5');
        return writeRoundedExponentForm(value, n, up, out);
    }
    // No shorter form reads back: the nearer of the two with the most digits a double needs does.
    return writeRoundedExponentForm(value, kRoundTripDigits, value.text[kRoundTripDigits] >= '5',
                                    out);
}

} // namespace

std::size_t formatSixDecimals(double value, char* buffer, std::size_t size) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    char* out = buffer;
    if ((bits >> 63) != 0) {
        *out++ = '-';
    }
    if (biasedExponent == 0x7FF) {
        const char* const word = fraction == 0 ? "inf" : "nan";
        std::copy(word, word + 4, out); // with its NUL
        return static_cast<std::size_t>(out + 3 - buffer);
    }
    // value = significand * 2^exponent
    const std::uint64_t significand =
        biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = std::max(biasedExponent, 1) - 1075;

    if (exponent > 0) {
        // An integer, exactly.
        const Digits integer = digitsOf(significand, exponent);
        const std::size_t room = size - 1 - static_cast<std::size_t>(out - buffer);
        const char* const end =
            integer.count + 7 <= room
                ? writeFixed(integer.text, integer.count, "000000", out)
                : writeShortestExponentForm(integer, significand, exponent, out);
        return static_cast<std::size_t>(end - buffer);
    }

    // Below 2^53: the value in millionths, rounded to an integer, has every digit to print.
    Integer scaled(significand);
    scaled.multiplyAdd(1000000, 0);
    scaled.shiftRightRoundingToEven(static_cast<std::size_t>(-exponent));
    const Digits millionths = digitsOf(scaled);
    // At least one integer digit before the six decimals.
    char padded[7 + sizeof millionths.text];
    const std::size_t paddedCount = std::max<std::size_t>(millionths.count, 7);
    const std::size_t padding = paddedCount - millionths.count;
    std::fill_n(padded, padding, '0');
    std::copy(millionths.text, millionths.text + millionths.count, padded + padding);
    return static_cast<std::size_t>(
        writeFixed(padded, paddedCount - 6, padded + paddedCount - 6, out) - buffer);
}
