#include "NumberText.h"
#include "Bits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(ReadDecimalNumber, ReadsTheDecimalPrefixLikeAtof) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0.0},
        {"113.540124", 113.540124},
        {"-23.5", -23.5},
        {"+23.5", 23.5},
        {"   12.5", 12.5},
        {"\t\n\v\f\r7", 7.0},
        {"23.5abc", 23.5},
        {"23.5 24.5", 23.5},
        {"1,5", 1.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"+.5e1", 5.0},
        {"1E2", 100.0},
        {"1e-2", 0.01},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e+x", 1.0},
        {"2.5e3.7", 2500.0},
        {"00000113.5", 113.5},
        // d and D do not start an exponent.
        {"23d30", 23.0},
        {"1D2", 1.0},
        // Not decimal numbers: words, hexadecimal, a lone sign or point, signs apart from digits.
        {"inf", 0.0},
        {"-inf", 0.0},
        {"infinity", 0.0},
        {"nan", 0.0},
        {"NAN(123)", 0.0},
        {"0x1A", 0.0},
        {"0x1p3", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {"-.e5", 0.0},
        {"e5", 0.0},
        {"+ 5", 0.0},
        {"--5", 0.0},
        {"\xEF\xBC\x95", 0.0}, // a full-width digit
        {"\xC2\xA0"
         "5",
         0.0}, // no-break space is not white space
        {"abc", 0.0},
        // Correct rounding, including halfway cases and long mantissas.
        {"0.1", 0.1},
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740995", 9007199254740996.0},
        {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"1.7976931348623157e308", DBL_MAX},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000001",
         1e-84},
        // Beyond the double range.
        {"1e999", kInfinity},
        {"1e+999", kInfinity},
        {"-1e999", -kInfinity},
        {"1.8e308", kInfinity},
        {"1e99999999999999999999999", kInfinity},
        {"0.0000001e316", kInfinity},
        {"1e-999", 0.0},
        {"123456e-99999999999999999999", 0.0},
        {"0e99999", 0.0},
        {"4.9e-324", 4.9e-324},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bitsOf(readDecimalNumber(c.text)), bitsOf(c.expected));
    }
}

TEST(ReadDecimalNumber, KeepsTheSignOfZero) {
    EXPECT_EQ(bitsOf(readDecimalNumber("-0")), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(readDecimalNumber("-1e-999")), bitsOf(-0.0));
    EXPECT_EQ(bitsOf(readDecimalNumber("0")), bitsOf(0.0));
}

// The commands hand over a 100-byte buffer: the reading never looks past its NUL.
TEST(ReadDecimalNumber, ReadsA99DigitNumber) {
    const std::string digits(99, '9');
    EXPECT_EQ(readDecimalNumber(digits.c_str()), 1e99);
    const std::string fraction = "0." + std::string(97, '3');
    EXPECT_EQ(readDecimalNumber(fraction.c_str()), 1.0 / 3.0);
}

// Digits alone can leave the double range: more than any field holds, but the reading takes any
// text.
TEST(ReadDecimalNumber, LeavesTheDoubleRangeWithoutAnExponent) {
    EXPECT_EQ(readDecimalNumber(("1" + std::string(400, '0')).c_str()), kInfinity);
    EXPECT_EQ(bitsOf(readDecimalNumber(("-0." + std::string(400, '0') + "1").c_str())),
              bitsOf(-0.0));
}

// Far beyond the double range, only the sum of the leading digit's power of ten and the exponent
// decides, whatever the count of either's digits; the sum can exceed any integer type.
TEST(ReadDecimalNumber, DecidesInfinityOrZeroByTheExactPowerOfTen) {
    const std::string millionth = "0." + std::string(999999, '0') + "1"; // 1e-1000000
    const std::string million = "1" + std::string(1000000, '0');         // 1e1000000
    const std::string twoMillion = "1" + std::string(2000000, '0');      // 1e2000000
    const std::string uint64Max = "18446744073709551615";
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {millionth, 0.0},
        {"-" + millionth, -0.0},
        {millionth + "e10000000", kInfinity}, // 1e9000000
        {"-" + millionth + "e10000000", -kInfinity},
        {millionth + "e1000010", 1e10},
        {millionth + "e1000000", 1.0},
        {millionth + "e999999", 0.1},
        {millionth + "e+0000000000000000000000000000010000000", kInfinity},
        {millionth + "e" + uint64Max, kInfinity},
        {millionth + "e" + uint64Max + "0", kInfinity},
        {"1e10000000", kInfinity},
        {"1e-10000000", 0.0},
        {"1e" + uint64Max + uint64Max, kInfinity},
        {"1e-" + uint64Max + uint64Max, 0.0},
        {million, kInfinity},
        {million + "e-999000", kInfinity}, // 1e1000
        {million + "e-1000000", 1.0},
        {million + "e-1001000", 0.0},
        {twoMillion + "e-10000000", 0.0}, // 1e-8000000
        {twoMillion + "e-1999000", kInfinity},
        {twoMillion + ".5e-" + uint64Max, 0.0},
        {"0000000000" + million + "e-1000000", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.text.substr(0, 20) << "..."
                     << c.text.substr(c.text.size() - std::min<std::size_t>(c.text.size(), 20))
                     << " (" << c.text.size() << " characters)");
        EXPECT_EQ(bitsOf(readDecimalNumber(c.text.c_str())), bitsOf(c.expected));
    }
}

std::string printed(double value) {
    char buffer[kFieldTextSize];
    formatSixDecimals(value, buffer);
    return buffer;
}

TEST(FormatSixDecimals, PrintsSixCorrectlyRoundedDecimals) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, "0.000000"},
        {-0.0, "-0.000000"},
        {23.515146, "23.515146"},
        {113.545324, "113.545324"},
        {1.23456789, "1.234568"},
        {-1.5, "-1.500000"},
        {-0.0000004, "-0.000000"},
        {0.0000005, "0.000000"}, // the double lies just below the halfway point
        {0.0000015, "0.000002"}, // ... and this one just above it
        {0.0078125, "0.007812"}, // exactly halfway: to even
        {0.0234375, "0.023438"}, // exactly halfway: to even
        {123456789012.125, "123456789012.125000"},
        {1e15, "1000000000000000.000000"},
        {4.9e-324, "0.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(printed(c.value), c.expected);
    }
}

TEST(FormatSixDecimals, InfinityAndNaNHaveFixedTexts) {
    EXPECT_EQ(printed(kInfinity), "inf");
    EXPECT_EQ(printed(-kInfinity), "-inf");
    EXPECT_EQ(printed(std::numeric_limits<double>::quiet_NaN()), "nan");
}

// Fixed-point text longer than 99 characters would not fit the field buffer: such values print in
// the shortest exponent form that reads back to the same double.
TEST(FormatSixDecimals, ValuesTooLongForTheBufferPrintInExponentForm) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {-1e91, "-1e+91"},
        {1e92, "1e+92"},
        {-1e92, "-1e+92"},
        {1e300, "1e+300"},
        {DBL_MAX, "1.7976931348623157e+308"},
        {-DBL_MAX, "-1.7976931348623157e+308"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(printed(c.value), c.expected);
        EXPECT_EQ(readDecimalNumber(c.expected), c.value);
    }

    // 1e91 itself still fits: 92 digits, the point and six decimals are 99 characters.
    const std::string longest = printed(1e91);
    EXPECT_EQ(longest.size(), 99u);
    EXPECT_EQ(longest.substr(0, 3), "100");
    EXPECT_EQ(longest.substr(92), ".000000");
    EXPECT_EQ(readDecimalNumber(longest.c_str()), 1e91);
}

} // namespace
