#include "NumberText.h"

#include "BigUnsigned.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Digits beyond the 800th significant one can only tell whether the value lies a little above
// the number the first 800 make: a value half-way between two doubles has at most 767
// significant digits.
constexpr std::size_t kSignificantDigits = 800;

// Wide enough for 10^1124, the largest power of ten that a value inside the double range with
// kSignificantDigits digits divides by, shifted up to leave 57 bits of quotient.
using Integer = BigUnsigned<3840>;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The C locale's white space: space, tab, newline, vertical tab, form feed, carriage return.
bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* skipDigits(const char* p) {
    while (isDigit(*p)) {
        ++p;
    }
    return p;
}

// The decimal digits of a number without its point: the integer part's, then the fraction's.
class DigitSequence {
public:
    DigitSequence(const char* integer, const char* integerEnd, const char* fraction,
                  const char* fractionEnd)
        : integer_(integer), integerCount_(static_cast<std::size_t>(integerEnd - integer)),
          fraction_(fraction),
          count_(integerCount_ + static_cast<std::size_t>(fractionEnd - fraction)) {}

    std::size_t count() const { return count_; }
    std::size_t fractionCount() const { return count_ - integerCount_; }
    char operator[](std::size_t index) const {
        return index < integerCount_ ? integer_[index] : fraction_[index - integerCount_];
    }

private:
    const char* integer_;
    std::size_t integerCount_;
    const char* fraction_;
    std::size_t count_;
};

// The exponent's digits as a number, saturated far beyond any power of ten that matters.
std::int64_t exponentValue(const char* digits, const char* end) {
    constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (; digits != end && value < kSaturated; ++digits) {
        value = value * 10 + (*digits - '0');
    }
    return std::min(value, kSaturated);
}

// A positive value as (quotient + fraction) * 2^binaryExponent, where the fraction lies strictly
// between 0 and 1 when sticky is set and is 0 otherwise.
struct BinaryValue {
    std::uint64_t quotient;
    std::int64_t binaryExponent;
    bool sticky;
};

// Rounds a positive value to the nearest double, a tie to the even significand; infinity beyond
// the largest double, 0 below half the smallest. The value is at least 10^-326 and its quotient
// has at most 57 bits where its exponent is negative, so at most 62 bits are dropped.
double roundToDouble(const BinaryValue& value) {
    constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << 52;
    std::size_t length = 0;
    for (std::uint64_t rest = value.quotient; rest != 0; rest >>= 1) {
        ++length;
    }
    // The result is significand * 2^exponent with a significand below 2^53 and an exponent of
    // at least -1074, the subnormals' own.
    const std::int64_t drop = std::max<std::int64_t>(static_cast<std::int64_t>(length) - 53,
                                                     -1074 - value.binaryExponent);
    std::uint64_t significand = value.quotient;
    std::int64_t exponent = value.binaryExponent + drop;
    if (drop <= 0) {
        significand <<= -drop;
    } else {
        significand = value.quotient >> drop;
        const bool half = ((value.quotient >> (drop - 1)) & 1) != 0;
        const bool aboveHalf =
            half &&
            (value.sticky || (value.quotient & ((std::uint64_t{1} << (drop - 1)) - 1)) != 0);
        if (aboveHalf || (half && (significand & 1) != 0)) {
            ++significand;
        }
        if (significand == 2 * kHiddenBit) {
            significand = kHiddenBit;
            ++exponent;
        }
    }
    std::uint64_t bits = significand;
    if (significand >= kHiddenBit) {
        const std::int64_t biasedExponent = exponent + 1075;
        bits = biasedExponent >= 0x7FF ? std::uint64_t{0x7FF} << 52
                                       : (static_cast<std::uint64_t>(biasedExponent) << 52) |
                                             (significand - kHiddenBit);
    }
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

// value / divisor, for a quotient below 2^64, with whether a remainder is left.
BinaryValue divided(Integer value, const Integer& divisor) {
    const std::size_t shift = value.bitLength() - divisor.bitLength();
    Integer subtrahend = divisor;
    subtrahend.shiftLeft(shift);
    std::uint64_t quotient = 0;
    for (std::size_t bit = shift + 1; bit-- > 0;) {
        quotient <<= 1;
        if (value.compare(subtrahend) >= 0) {
            value.subtract(subtrahend);
            quotient |= 1;
        }
        subtrahend.shiftRight(1);
    }
    return {quotient, 0, !value.isZero()};
}

// value = value * 10^power.
void multiplyByPowerOfTen(Integer& value, std::int64_t power) {
    for (; power >= 9; power -= 9) {
        value.multiplyAdd(1000000000, 0);
    }
    std::uint32_t rest = 1;
    for (; power > 0; --power) {
        rest *= 10;
    }
    value.multiplyAdd(rest, 0);
}

// The double nearest to digits * 10^powerOfTen, a little more when sticky, for digits of at most
// kSignificantDigits digits whose value lies between 10^-326 and 10^310. Only a text of more than
// kSignificantDigits digits is sticky, and it lies in that range only with a negative power of
// ten: only the division sees sticky set.
double scaleToDouble(const Integer& digits, std::int64_t powerOfTen, bool sticky) {
    // Most texts are a few digits with a point: the digits and the power of ten are then both
    // doubles exactly, and one IEEE multiplication or division rounds their product or quotient
    // correctly. The digits become a double by integer steps alone: the 32-bit x86 compiler
    // converts a 64-bit integer with x87 instructions.
    if (digits.bitLength() <= 53 && powerOfTen >= -22 && powerOfTen <= 22) {
        const double value = roundToDouble({digits.low64(), 0, false});
        double power = 1.0;
        for (std::int64_t p = powerOfTen < 0 ? -powerOfTen : powerOfTen; p > 0; --p) {
            power *= 10.0;
        }
        return powerOfTen < 0 ? value / power : value * power;
    }
    if (powerOfTen >= 0) {
        Integer value = digits;
        multiplyByPowerOfTen(value, powerOfTen);
        const std::size_t length = value.bitLength();
        const std::size_t dropped = length > 64 ? length - 64 : 0;
        const bool droppedBits = value.anyBitBelow(dropped);
        value.shiftRight(dropped);
        return roundToDouble({value.low64(), static_cast<std::int64_t>(dropped), droppedBits});
    }
    // digits / 10^-powerOfTen, one of the two scaled by a power of two so that the quotient has
    // 56 or 57 bits, more than a double's 53 and a rounding bit.
    Integer dividend = digits;
    Integer divisor(1);
    multiplyByPowerOfTen(divisor, -powerOfTen);
    const std::int64_t scale = 56 - (static_cast<std::int64_t>(dividend.bitLength()) -
                                     static_cast<std::int64_t>(divisor.bitLength()));
    if (scale >= 0) {
        dividend.shiftLeft(static_cast<std::size_t>(scale));
    } else {
        divisor.shiftLeft(static_cast<std::size_t>(-scale));
    }
    BinaryValue quotient = divided(dividend, divisor);
    quotient.binaryExponent = -scale;
    quotient.sticky = quotient.sticky || sticky;
    return roundToDouble(quotient);
}

// The exponent that the text after a number gives it: e or E, an optional sign and digits; 0
// when it has none.
std::int64_t exponentAt(const char* text) {
    if (*text != 'e' && *text != 'E') {
        return 0;
    }
    const char* digits = text + 1;
    const bool negative = *digits == '-';
    if (*digits == '+' || *digits == '-') {
        ++digits;
    }
    const std::int64_t value = exponentValue(digits, skipDigits(digits));
    return negative ? -value : value;
}

// The double nearest to the digits' value times 10^exponent: keeps the first kSignificantDigits
// significant digits, and whether any digit after them is not zero.
double digitsToDouble(const DigitSequence& sequence, std::int64_t exponent) {
    std::size_t first = 0;
    while (first < sequence.count() && sequence[first] == '0') {
        ++first;
    }
    if (first == sequence.count()) {
        return 0.0;
    }
    const std::size_t kept = std::min(sequence.count() - first, kSignificantDigits);
    Integer digits(0);
    std::uint32_t group = 0;
    std::uint32_t groupScale = 1;
    for (std::size_t i = first; i < first + kept; ++i) {
        group = group * 10 + static_cast<std::uint32_t>(sequence[i] - '0');
        groupScale *= 10;
        if (groupScale == 1000000000) {
            digits.multiplyAdd(groupScale, group);
            group = 0;
            groupScale = 1;
        }
    }
    digits.multiplyAdd(groupScale, group);
    bool sticky = false;
    for (std::size_t i = first + kept; i < sequence.count() && !sticky; ++i) {
        sticky = sequence[i] != '0';
    }

    // value = digits * 10^powerOfTen, a little more when sticky.
    const std::int64_t powerOfTen = exponent + static_cast<std::int64_t>(sequence.count()) -
                                    static_cast<std::int64_t>(first + kept) -
                                    static_cast<std::int64_t>(sequence.fractionCount());
    const std::int64_t leadingPower = powerOfTen + static_cast<std::int64_t>(kept) - 1;
    if (leadingPower > 309) {
        return std::numeric_limits<double>::infinity();
    }
    if (leadingPower < -325) {
        return 0.0;
    }
    return scaleToDouble(digits, powerOfTen, sticky);
}

} // namespace

double readDecimalNumber(const char* text) {
    const char* p = text;
    while (isSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }

    const char* const integer = p;
    const char* const integerEnd = skipDigits(integer);
    const char* fraction = integerEnd;
    const char* fractionEnd = integerEnd;
    if (*integerEnd == '.') {
        fraction = integerEnd + 1;
        fractionEnd = skipDigits(fraction);
    }
    if (integerEnd == integer && fractionEnd == fraction) {
        return 0.0;
    }
    const double magnitude = digitsToDouble(
        DigitSequence(integer, integerEnd, fraction, fractionEnd), exponentAt(fractionEnd));
    return negative ? -magnitude : magnitude;
}
