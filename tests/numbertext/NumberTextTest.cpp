#include "NumberText.h"
#include "Bits.h"
#include "SixDecimals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
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
        // Rounding up into the next binade, to an even and to an odd exponent field.
        {"9007199254740991.9", 9007199254740992.0},
        {"0.99999999999999999", 1.0},
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
        // 2^96 + 2^43 + 1: half-way but for the lowest bit, in a limb of its own.
        {"79228162514264346389636972545", 79228162514264346389636972545.0},
        // A field's worth of digits whose division borrows across every limb.
        {"72057594184078099.7330902918124456670202018682062388592640",
         72057594184078099.7330902918124456670202018682062388592640},
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

// The first 800 significant digits and whether any digit after them is not zero decide the
// rounding. 1 + 2^-53, 54 digits, lies half-way between 1 and the next double up: it reads as 1,
// the even one, but any further digit that is not zero, however far, makes it read as the next.
TEST(ReadDecimalNumber, ADigitBeyondTheFirst800DecidesATie) {
    const std::string tie = "1.00000000000000011102230246251565404236316680908203125";
    // The tie, then a 1 as significant digit `position`, then zeros up to `count` digits.
    const auto tieWithOneAt = [&tie](std::size_t position, std::size_t count) {
        return tie + std::string(position - 55, '0') + "1" + std::string(count - position, '0');
    };
    const double next = 1.0000000000000002;
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {tie, 1.0},
        {tie + std::string(2000, '0'), 1.0},
        {tieWithOneAt(800, 800), next},
        {tieWithOneAt(801, 801), next},
        {tieWithOneAt(801, 802), next},
        {tieWithOneAt(802, 802), next},
        {tieWithOneAt(5000, 5000), next},
        {"-" + tieWithOneAt(801, 802), -next},
        // Leading zeros are not significant; the exponent moves the point.
        {"0.000" + tieWithOneAt(801, 802).erase(1, 1) + "e4", next},
        {"1000000000000000111022302462515654042363166809082031250" + std::string(745, '0') +
             "1e-800",
         next},
        // Just below the tie, by a digit beyond the 800th.
        {tie.substr(0, tie.size() - 1) + "4" + std::string(900, '9'), 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.text.substr(0, 60) << "... (" << c.text.size() << " characters)");
        EXPECT_EQ(bitsOf(readDecimalNumber(c.text.c_str())), bitsOf(c.expected));
    }
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
        EXPECT_EQ(sixDecimals(c.value), c.expected);
    }
}

// The fixed-point form where it fits the buffer with its NUL, else the exponent form, which always
// does; the length returned is the text's. Each buffer is a heap block of exactly its size, so
// AddressSanitizer reports a write past it.
TEST(FormatSixDecimals, TheBufferSizeDecidesTheForm) {
    struct Case {
        double value;
        std::size_t size;
        const char* expected;
    };
    const Case cases[] = {
        {123.5, kSixDecimalsMinimumSize, "123.500000"},
        {1e17, kSixDecimalsMinimumSize, "100000000000000000.000000"},
        {-1e17, kSixDecimalsMinimumSize, "-1e+17"},
        {-99999999999999984.0, kSixDecimalsMinimumSize, "-99999999999999984.000000"},
        {-DBL_MAX, kSixDecimalsMinimumSize, "-1.7976931348623157e+308"},
        {-kInfinity, kSixDecimalsMinimumSize, "-inf"},
        {1e20, 28, "1e+20"},
        {1e20, 29, "100000000000000000000.000000"},
        {1e20, 100, "100000000000000000000.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const auto buffer = std::make_unique<char[]>(c.size);
        const std::size_t length = formatSixDecimals(c.value, buffer.get(), c.size);
        EXPECT_EQ(buffer.get(), std::string(c.expected));
        EXPECT_EQ(length, std::strlen(c.expected));
    }
}

TEST(FormatSixDecimals, InfinityAndNaNHaveFixedTexts) {
    EXPECT_EQ(sixDecimals(kInfinity), "inf");
    EXPECT_EQ(sixDecimals(-kInfinity), "-inf");
    EXPECT_EQ(sixDecimals(std::numeric_limits<double>::quiet_NaN()), "nan");
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
        {-2.5e91, "-2.5e+91"},
        {1.5e100, "1.5e+100"},
        {1.25e200, "1.25e+200"},
        {-9.75e307, "-9.75e+307"},
        {-1e92, "-1e+92"},
        {1e300, "1e+300"},
        {DBL_MAX, "1.7976931348623157e+308"},
        {-DBL_MAX, "-1.7976931348623157e+308"},
        // Seventeen digits, the most a double needs: no shorter form reads back.
        {1.0000000000000002e300, "1.0000000000000002e+300"},
        {1.0000000000000002e92, "1.0000000000000002e+92"},
        {-1.2345678901234567e300, "-1.2345678901234567e+300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(sixDecimals(c.value), c.expected);
        EXPECT_EQ(readDecimalNumber(c.expected), c.value);
    }

    // 1e91 itself still fits: 92 digits, the point and six decimals are 99 characters.
    const std::string longest = sixDecimals(1e91);
    EXPECT_EQ(longest.size(), 99u);
    EXPECT_EQ(longest.substr(0, 3), "100");
    EXPECT_EQ(longest.substr(92), ".000000");
    EXPECT_EQ(readDecimalNumber(longest.c_str()), 1e91);
}

// The exponent form starts at 10^92, or 10^91 for negative values. A double nearest to a power of
// ten and below it has the digits 99...9: its shortest form carries through every nine into the
// exponent, as 1e98 (9999999999999999e82 and more) prints "1e+98". The compiler's literals are
// the oracle.
TEST(FormatSixDecimals, EveryPowerOfTenInExponentFormPrintsAsItsOwnDigit) {
    const double powers[] = {
        1e91,  1e92,  1e93,  1e94,  1e95,  1e96,  1e97,  1e98,  1e99,  1e100, 1e101, 1e102, 1e103,
        1e104, 1e105, 1e106, 1e107, 1e108, 1e109, 1e110, 1e111, 1e112, 1e113, 1e114, 1e115, 1e116,
        1e117, 1e118, 1e119, 1e120, 1e121, 1e122, 1e123, 1e124, 1e125, 1e126, 1e127, 1e128, 1e129,
        1e130, 1e131, 1e132, 1e133, 1e134, 1e135, 1e136, 1e137, 1e138, 1e139, 1e140, 1e141, 1e142,
        1e143, 1e144, 1e145, 1e146, 1e147, 1e148, 1e149, 1e150, 1e151, 1e152, 1e153, 1e154, 1e155,
        1e156, 1e157, 1e158, 1e159, 1e160, 1e161, 1e162, 1e163, 1e164, 1e165, 1e166, 1e167, 1e168,
        1e169, 1e170, 1e171, 1e172, 1e173, 1e174, 1e175, 1e176, 1e177, 1e178, 1e179, 1e180, 1e181,
        1e182, 1e183, 1e184, 1e185, 1e186, 1e187, 1e188, 1e189, 1e190, 1e191, 1e192, 1e193, 1e194,
        1e195, 1e196, 1e197, 1e198, 1e199, 1e200, 1e201, 1e202, 1e203, 1e204, 1e205, 1e206, 1e207,
        1e208, 1e209, 1e210, 1e211, 1e212, 1e213, 1e214, 1e215, 1e216, 1e217, 1e218, 1e219, 1e220,
        1e221, 1e222, 1e223, 1e224, 1e225, 1e226, 1e227, 1e228, 1e229, 1e230, 1e231, 1e232, 1e233,
        1e234, 1e235, 1e236, 1e237, 1e238, 1e239, 1e240, 1e241, 1e242, 1e243, 1e244, 1e245, 1e246,
        1e247, 1e248, 1e249, 1e250, 1e251, 1e252, 1e253, 1e254, 1e255, 1e256, 1e257, 1e258, 1e259,
        1e260, 1e261, 1e262, 1e263, 1e264, 1e265, 1e266, 1e267, 1e268, 1e269, 1e270, 1e271, 1e272,
        1e273, 1e274, 1e275, 1e276, 1e277, 1e278, 1e279, 1e280, 1e281, 1e282, 1e283, 1e284, 1e285,
        1e286, 1e287, 1e288, 1e289, 1e290, 1e291, 1e292, 1e293, 1e294, 1e295, 1e296, 1e297, 1e298,
        1e299, 1e300, 1e301, 1e302, 1e303, 1e304, 1e305, 1e306, 1e307, 1e308,
    };
    int exponent = 91;
    for (const double power : powers) {
        const std::string text = "1e+" + std::to_string(exponent);
        SCOPED_TRACE(text);
        if (exponent > 91) {
            EXPECT_EQ(sixDecimals(power), text);
        }
        EXPECT_EQ(sixDecimals(-power), "-" + text);
        EXPECT_EQ(bitsOf(readDecimalNumber(text.c_str())), bitsOf(power));
        ++exponent;
    }
}

} // namespace
