// The number printing and reading against the standard library's correctly rounded conversions,
// over ten million doubles and over a million and a half texts. std::to_chars prints as the
// fields did before the printer was written for them; glibc's strtod reads decimal text as the
// Windows atof does, with correct rounding.
#include "Bits.h"
#include "NumberSamples.h"
#include "NumberText.h"
#include "SixDecimals.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

namespace {

// Six decimals, or the shortest form that reads back where those would not fit the field.
std::string printedByToChars(double value) {
    char text[100];
    char* const last = text + sizeof text - 1;
    std::to_chars_result result = std::to_chars(text, last, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) {
        result = std::to_chars(text, last, value);
    }
    *result.ptr = '\0';
    return text;
}

std::string hexBits(double value) {
    char text[17];
    *std::to_chars(text, text + 16, bitsOf(value), 16).ptr = '\0';
    return text;
}

constexpr int kShownMismatches = 10;

// Each kind's test is named after the kind.
const auto nameOfKind = [](const auto& kind) { return std::string(nameOf(kind.param)); };

class PrintingMatchesToChars : public testing::TestWithParam<DoubleKind> {};

TEST_P(PrintingMatchesToChars, OverTwoMillionDoubles) {
    NumberSamples samples(static_cast<std::uint64_t>(GetParam()) + 1);
    int mismatches = 0;
    for (int i = 0; i < 2000000 && mismatches < kShownMismatches; ++i) {
        const double value = samples.next(GetParam());
        const std::string expected = printedByToChars(value);
        if (sixDecimals(value) != expected) {
            ++mismatches;
            ADD_FAILURE() << "0x" << hexBits(value) << ": " << sixDecimals(value) << ", not "
                          << expected;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PrintingMatchesToChars, testing::ValuesIn(kDoubleKinds),
                         nameOfKind);

TEST(PrintingMatchesToChars, AtTheEdges) {
    for (const double value : edgeDoubles()) {
        EXPECT_EQ(sixDecimals(value), printedByToChars(value)) << "0x" << hexBits(value);
    }
}

class ReadingMatchesStrtod : public testing::TestWithParam<TextKind> {};

TEST_P(ReadingMatchesStrtod, OverManyTexts) {
    NumberSamples samples(static_cast<std::uint64_t>(GetParam()) + 100);
    // The range's edges are a few dozen texts; long texts take the longest to read.
    const int counts[] = {1000000, 200000, 1000, 50000};
    const int count = counts[static_cast<int>(GetParam())];
    int mismatches = 0;
    for (int i = 0; i < count && mismatches < kShownMismatches; ++i) {
        const std::string text = samples.next(GetParam());
        const double expected = std::strtod(text.c_str(), nullptr);
        const double read = readDecimalNumber(text.c_str());
        if (bitsOf(read) != bitsOf(expected)) {
            ++mismatches;
            ADD_FAILURE() << text << ": 0x" << hexBits(read) << ", not 0x" << hexBits(expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ReadingMatchesStrtod, testing::ValuesIn(kTextKinds),
                         nameOfKind);

} // namespace
