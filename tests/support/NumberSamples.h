#pragma once

#include "Bits.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

// Doubles and decimal texts that exercise the number printing and reading, kind by kind. They
// come from a 64-bit linear congruential sequence (Knuth's MMIX constants) and integer or exact
// arithmetic only, so every platform makes the same ones. Every statement draws at most once:
// C++ leaves the order of the operands of + or | unspecified, and compilers differ in it. The
// big numbers are this file's own decimal arithmetic, so that the samples share no code with the
// number text they test.

enum class DoubleKind : std::uint8_t {
    RandomBits,          // any bit pattern: NaNs, infinities and subnormals included
    EveryMagnitude,      // a random significand in a random binade, subnormals to the largest
    NearSixDecimalTies,  // nearest to, and next to, a number half-way between six-decimal ones
    ExactSixDecimalTies, // odd multiples of 2^-7, exactly half-way
    RegionCoordinates,   // coordinates of the offset region, typed or computed
};
constexpr DoubleKind kDoubleKinds[] = {
    DoubleKind::RandomBits, DoubleKind::EveryMagnitude, DoubleKind::NearSixDecimalTies,
    DoubleKind::ExactSixDecimalTies, DoubleKind::RegionCoordinates};

inline const char* nameOf(DoubleKind kind) {
    const char* const names[] = {"RandomBits", "EveryMagnitude", "NearSixDecimalTies",
                                 "ExactSixDecimalTies", "RegionCoordinates"};
    return names[static_cast<int>(kind)];
}
inline void PrintTo(DoubleKind kind, std::ostream* out) {
    *out << nameOf(kind);
}

enum class TextKind : std::uint8_t {
    FieldTexts, // what a user may type: signs, spaces, up to 40 digits, exponents, trailing text
    Midpoints,  // the exact decimal half-way between two doubles, and just above and below it
    RangeEdges, // the same at the ends of the double range: overflow, underflow, subnormals
    LongTexts,  // hundreds of digits, beyond what decides the rounding
};
constexpr TextKind kTextKinds[] = {TextKind::FieldTexts, TextKind::Midpoints, TextKind::RangeEdges,
                                   TextKind::LongTexts};

inline const char* nameOf(TextKind kind) {
    const char* const names[] = {"FieldTexts", "Midpoints", "RangeEdges", "LongTexts"};
    return names[static_cast<int>(kind)];
}
inline void PrintTo(TextKind kind, std::ostream* out) {
    *out << nameOf(kind);
}

class NumberSamples {
public:
    explicit NumberSamples(std::uint64_t seed) : state_(seed) {}

    double next(DoubleKind kind) {
        const double sign = below(2) == 0 ? 1.0 : -1.0;
        switch (kind) {
        case DoubleKind::RandomBits:
            return fromBits(random());
        case DoubleKind::EveryMagnitude: {
            const std::uint64_t biased = below(2047);
            const std::uint64_t fraction = random() >> 12;
            return sign * fromBits((biased << 52) | fraction);
        }
        case DoubleKind::NearSixDecimalTies: {
            // (2j + 1) / 2e6 in one correctly rounded division, then up to two doubles away.
            const std::uint64_t bits = random();
            const std::uint64_t j = bits >> (13 + below(51));
            const double tie = static_cast<double>(2 * j + 1) / 2000000.0;
            return sign * fromBits(bitsOf(tie) + below(5) - 2);
        }
        case DoubleKind::ExactSixDecimalTies: {
            const std::uint64_t bits = random();
            const std::uint64_t j = bits >> (19 + below(45));
            return sign * static_cast<double>(2 * j + 1) * 0.0078125;
        }
        case DoubleKind::RegionCoordinates:
            // A typed six-decimal longitude or latitude, or a point of a 2^-45 lattice.
            if (below(2) == 0) {
                return static_cast<double>(800000 + below(137000000)) / 1000000.0;
            }
            return std::ldexp(static_cast<double>(below(138ull << 45)), -45);
        }
        return 0.0;
    }

    std::string next(TextKind kind) {
        switch (kind) {
        case TextKind::FieldTexts:
            return fieldText();
        case TextKind::Midpoints:
            return midpointText(random() & ~(std::uint64_t{1} << 63));
        case TextKind::RangeEdges: {
            // Beyond DBL_MAX's midpoint a number overflows; below 0's, it reads as 0.
            const std::uint64_t edges[] = {0,
                                           1,
                                           2,
                                           bitsOf(DBL_MIN) - 1,
                                           bitsOf(DBL_MIN),
                                           bitsOf(DBL_MAX) - 1,
                                           bitsOf(DBL_MAX)};
            return midpointText(edges[below(std::size(edges))]);
        }
        case TextKind::LongTexts: {
            const int exponent = static_cast<int>(below(1400)) - 1000;
            const std::string fraction = digits(below(900));
            return digits(100 + below(900)) + "." + fraction + "e" + std::to_string(exponent);
        }
        }
        return "";
    }

private:
    std::uint64_t random() {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return state_;
    }
    // A number in [0, count).
    std::uint64_t below(std::uint64_t count) { return (random() >> 11) % count; }

    std::string digits(std::uint64_t count) {
        std::string text;
        for (std::uint64_t i = 0; i < count; ++i) {
            text += static_cast<char>('0' + below(10));
        }
        return text;
    }

    std::string fieldText() {
        const char* const starts[] = {"", "", "-", "+", " ", "\t-", "00"};
        const char* const ends[] = {"", "", "", "abc", " 5", ".5", "e", "e+", "d3"};
        const std::string integer = digits(below(21));
        std::string text = starts[below(std::size(starts))] + integer;
        if (below(3) != 0) {
            text += "." + digits(below(21));
        }
        if (below(2) == 0) {
            const std::uint64_t exponent = below(400);
            text += (below(2) == 0 ? "e" : "E-") + std::to_string(exponent);
        }
        return text + ends[below(std::size(ends))];
    }

    // Half-way between the double with these bits (positive, finite) and the next one up; or a
    // little above or below that, one in 10^10 of the last digit away.
    std::string midpointText(std::uint64_t bits) {
        const std::uint64_t biased = bits >> 52;
        const std::uint64_t significand =
            (bits & ((std::uint64_t{1} << 52) - 1)) | (biased != 0 ? std::uint64_t{1} << 52 : 0);
        const int exponent = static_cast<int>(std::max<std::uint64_t>(biased, 1)) - 1075;
        // (2 * significand + 1) * 2^(exponent - 1) as an integer times 10^power.
        Decimal integer(2 * significand + 1);
        int power = 0;
        if (exponent >= 1) {
            for (int twos = exponent - 1; twos > 0; twos -= 30) {
                integer.multiply(std::uint32_t{1} << std::min(twos, 30));
            }
        } else {
            // times 5^(1 - exponent) * 10^(exponent - 1), 5^13 at a time
            power = exponent - 1;
            for (int fives = 1 - exponent; fives > 0; fives -= 13) {
                std::uint32_t factor = 1;
                for (int i = std::min(fives, 13); i > 0; --i) {
                    factor *= 5;
                }
                integer.multiply(factor);
            }
        }
        const std::uint64_t nudge = below(3);
        if (nudge == 2) {
            integer.decrement();
        }
        const char* const tails[] = {"", "0000000001", "9999999999"};
        return integer.text() + tails[nudge] + "e" + std::to_string(power - (nudge == 0 ? 0 : 10));
    }

    // A positive integer in base 10^9, least significant group first.
    class Decimal {
    public:
        explicit Decimal(std::uint64_t value) {
            for (; value != 0; value /= kBase) {
                groups_.push_back(static_cast<std::uint32_t>(value % kBase));
            }
        }
        // Factors up to 2^32: a group times one, plus the carry, stays below 2^63.
        void multiply(std::uint32_t factor) {
            std::uint64_t carry = 0;
            for (std::uint32_t& group : groups_) {
                const std::uint64_t product = std::uint64_t{group} * factor + carry;
                group = static_cast<std::uint32_t>(product % kBase);
                carry = product / kBase;
            }
            for (; carry != 0; carry /= kBase) {
                groups_.push_back(static_cast<std::uint32_t>(carry % kBase));
            }
        }
        // For a value above 1.
        void decrement() {
            std::size_t i = 0;
            for (; groups_[i] == 0; ++i) {
                groups_[i] = kBase - 1;
            }
            --groups_[i];
            if (groups_.back() == 0) {
                groups_.pop_back();
            }
        }
        std::string text() const {
            std::string written = std::to_string(groups_.back());
            for (auto group = groups_.rbegin() + 1; group != groups_.rend(); ++group) {
                const std::string nine = std::to_string(*group);
                written += std::string(9 - nine.size(), '0') + nine;
            }
            return written;
        }

    private:
        static constexpr std::uint32_t kBase = 1000000000;
        std::vector<std::uint32_t> groups_;
    };

    std::uint64_t state_;
};

// The doubles at the edges: zeros, infinities, NaNs of both signs, the extremes of the range and
// of the subnormals, the edges of the fixed-point form's 99 characters, carries through every
// digit, and exact ties.
inline std::vector<double> edgeDoubles() {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,
                                  kInfinity,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  fromBits(0x7FF0000000000001u),
                                  fromBits(0x7FFFFFFFFFFFFFFFu),
                                  std::numeric_limits<double>::denorm_min(),
                                  fromBits(0x000FFFFFFFFFFFFFu),
                                  DBL_MIN,
                                  DBL_MAX,
                                  1e91,
                                  1e92,
                                  9.9999995,
                                  999999.9999995,
                                  0.0000005,
                                  0.0000015,
                                  0.0078125,
                                  4503599627370495.5,
                                  4503599627370496.0,
                                  9007199254740993.0,
                                  std::ldexp(1.0, 302),
                                  std::ldexp(1.0, 303),
                                  std::ldexp(1.0, 305),
                                  std::ldexp(1.0, 306),
                                  std::ldexp(1.0, 1023)};
    const std::size_t count = values.size();
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(std::nextafter(values[i], kInfinity));
        values.push_back(std::nextafter(values[i], -kInfinity));
    }
    for (std::size_t i = 0, all = values.size(); i < all; ++i) {
        values.push_back(-values[i]);
    }
    return values;
}
