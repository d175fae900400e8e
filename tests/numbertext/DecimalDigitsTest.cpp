#include "DecimalDigits.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

// Zero is below every gap; a candidate's distance is zero where the value has few digits.
TEST(DecimalDigits, ComparesWithAGap) {
    struct Case {
        const char* digits;
        const char* gap;
        bool below;
    };
    const Case cases[] = {
        {"000", "5", true},    {"", "1", true},       {"0004", "5", true},
        {"0005", "5", false},  {"12", "123", true},   {"0123", "122", false},
        {"123", "123", false}, {"0122", "123", true}, {"1000", "999", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.digits << " < " << c.gap);
        // The digits end in a zero past their count, as a candidate's distance inside the value's
        // digits does: nothing beyond the count may take part.
        const std::string digits = std::string(c.digits) + "0";
        const std::string gap = c.gap;
        EXPECT_EQ(isDecimalBelow(digits.data(), digits.size() - 1, gap.data(), gap.size()),
                  c.below);
    }
}

TEST(DecimalDigits, WritesTheTenComplement) {
    struct Case {
        const char* r;
        const char* complement;
    };
    const Case cases[] = {
        {"250", "0750"}, {"001", "0999"}, {"999", "0001"}, {"100", "0900"},
        {"5", "05"},     {"000", "1000"}, {"", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        // r lies inside the value's digits, a zero before it: nothing before it may take part.
        const std::string text = std::string("0") + c.r;
        const std::size_t k = text.size() - 1;
        std::string complement(k + 1, '?');
        writeTenComplement(text.data() + 1, k, complement.data());
        EXPECT_EQ(complement, c.complement);
    }
}

TEST(DecimalDigits, RoundsUpInTheLastDigit) {
    struct Case {
        const char* digits;
        const char* rounded;
        std::size_t exponentIncrease;
    };
    const Case cases[] = {
        {"12", "13", 0}, {"129", "13", 0}, {"1299", "13", 0},
        {"19", "2", 0},  {"9", "1", 1},    {"999", "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        std::string digits = c.digits;
        std::size_t decimalExponent = 300;
        const std::size_t length =
            roundUpInLastDigit(digits.data(), digits.size(), decimalExponent);
        EXPECT_EQ(digits.substr(0, length), c.rounded);
        EXPECT_EQ(decimalExponent, 300 + c.exponentIncrease);
    }
}

} // namespace
