#include "CoordinateText.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// The text in a heap block of exactly its units, so that the sanitizers catch a read past it.
RecognisedCoordinate recognise(const std::u16string& text, Axis pastedInto) {
    const auto copy = std::make_unique<char16_t[]>(text.size());
    std::copy(text.begin(), text.end(), copy.get());
    return recognisePastedCoordinate(copy.get(), text.size(), pastedInto);
}

std::string printable(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(c));
            out += escape;
        }
    }
    return out;
}

struct PairCase {
    std::u16string text;
    const char* longitude;
    const char* latitude;
};

void expectPairs(const PairCase* begin, const PairCase* end) {
    for (const PairCase* c = begin; c != end; ++c) {
        for (const Axis into : {Axis::Longitude, Axis::Latitude}) {
            const RecognisedCoordinate result = recognise(c->text, into);
            ASSERT_EQ(result.form, PastedForm::Pair) << printable(c->text);
            EXPECT_STREQ(result.longitude.text, c->longitude) << printable(c->text);
            EXPECT_STREQ(result.latitude.text, c->latitude) << printable(c->text);
            EXPECT_EQ(result.longitude.axis, Axis::Longitude);
            EXPECT_EQ(result.latitude.axis, Axis::Latitude);
        }
    }
}

struct OneValueCase {
    std::u16string text;
    Axis pastedInto;
    const char* value;
    Axis axis;
};

void expectOneValues(const OneValueCase* begin, const OneValueCase* end) {
    for (const OneValueCase* c = begin; c != end; ++c) {
        const RecognisedCoordinate result = recognise(c->text, c->pastedInto);
        ASSERT_EQ(result.form, PastedForm::OneValue) << printable(c->text);
        EXPECT_STREQ(result.value.text, c->value) << printable(c->text);
        EXPECT_EQ(result.value.axis, c->axis) << printable(c->text);
    }
}

void expectAsItStands(const std::u16string* begin, const std::u16string* end) {
    for (const std::u16string* text = begin; text != end; ++text) {
        for (const Axis into : {Axis::Longitude, Axis::Latitude, Axis::Unnamed}) {
            EXPECT_EQ(recognise(*text, into).form, PastedForm::AsItStands) << printable(*text);
        }
    }
}

constexpr Axis kLon = Axis::Longitude;
constexpr Axis kLat = Axis::Latitude;

TEST(PastedCoordinate, PairsAsWebMapsSpreadsheetsAndGpsUnitsWriteThem) {
    const PairCase cases[] = {
        // Google and Tencent: latitude first; Gaode and Baidu: longitude first.
        {u"23.515146, 113.545324", "113.545324", "23.515146"},
        {u"113.545324,23.515146", "113.545324", "23.515146"},
        {u"113.545324\t23.515146", "113.545324", "23.515146"},
        {u"113.545324\r\n23.515146\r\n", "113.545324", "23.515146"},
        {u"23.515146 113.545324", "113.545324", "23.515146"},
        {u"  23.515146 ,  113.545324  ", "113.545324", "23.515146"},
        {u"113.545324，23.515146", "113.545324", "23.515146"},
        {u"113.545324；23.515146", "113.545324", "23.515146"},
        {u"113.545324; 23.515146", "113.545324", "23.515146"},
        {u"(23.515146, 113.545324)", "113.545324", "23.515146"},
        {u"[113.545324,23.515146]", "113.545324", "23.515146"},
        {u"（23.515146，113.545324）", "113.545324", "23.515146"},
        {u"23.515146°, 113.545324°", "113.545324", "23.515146"},
        {u"23.515146º 113.545324º", "113.545324", "23.515146"},
        // Hemisphere letters before or after, either case, and the Chinese words.
        {u"N23.515146 E113.545324", "113.545324", "23.515146"},
        {u"E113.545324 N23.515146", "113.545324", "23.515146"},
        {u"23.515146N 113.545324E", "113.545324", "23.515146"},
        {u"23.515146 N, 113.545324 E", "113.545324", "23.515146"},
        {u"n23.515146 e113.545324", "113.545324", "23.515146"},
        {u"N 23.515146 E 113.545324", "113.545324", "23.515146"},
        {u"S33.86 E151.21", "151.21", "-33.86"},
        {u"33.86S 151.21E", "151.21", "-33.86"},
        {u"N40.7 W74.0", "-74.0", "40.7"},
        {u"北纬23.515146 东经113.545324", "113.545324", "23.515146"},
        {u"东经113.545324，北纬23.515146", "113.545324", "23.515146"},
        {u"南纬33.86° 西经70.6°", "-70.6", "-33.86"},
        {u"23.515146北纬 113.545324东经", "113.545324", "23.515146"},
        // One letter names both: the other value is the other axis.
        {u"N5, 100", "100", "5"},
        {u"5 E100", "100", "5"},
        // Degrees, minutes and seconds, with either set of marks, or with spaces.
        {u"23°30′54.5″N 113°32′43.2″E", "113.545333333333", "23.515138888889"},
        {u"23°30'54.5\"N, 113°32'43.2\"E", "113.545333333333", "23.515138888889"},
        {u"N23° 30' 54.5\" E113° 32' 43.2\"", "113.545333333333", "23.515138888889"},
        {u"113 32 43.2, 23 30 54.5", "113.545333333333", "23.515138888889"},
        {u"113 32 43.2 23 30 54.5", "113.545333333333", "23.515138888889"},
        {u"23°30.9′, 113°32.72′", "113.545333333333", "23.515"},
        {u"23 30.9, 113 32.72", "113.545333333333", "23.515"},
        {u"23°30′ 113°30′", "113.5", "23.5"},
        // Signs, full-width characters and the ideographic full stop.
        {u"-23.5, -113.5", "-113.5", "-23.5"},
        {u"+23.5 +113.5", "113.5", "23.5"},
        {u"−33.86, 151.21", "151.21", "-33.86"},
        {u"１１３．５４５３２４，２３．５１５１４６", "113.545324", "23.515146"},
        {u"＋２３．５ －１１３．５", "-113.5", "23.5"},
        {u"113。545324，23。515146", "113.545324", "23.515146"},
    };
    expectPairs(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, PairOrderFollowsLettersThenTheRegionThenRangeThenTheText) {
    const PairCase cases[] = {
        // Letters win over the region, which only the other order is inside.
        {u"E50 N80", "50", "80"},
        // Only one order puts the point inside the region.
        {u"30, 100", "100", "30"},
        {u"100, 30", "100", "30"},
        // The region's bounds are inside it: 72.004 to 137.8347, 0.8293 to 55.8271.
        {u"55.8271, 72.004", "72.004", "55.8271"},
        {u"0.8293, 137.8347", "137.8347", "0.8293"},
        // Just outside, both orders are outside: neither is beyond 90, so the text's order.
        {u"55.8272, 72.004", "55.8272", "72.004"},
        {u"55.8271, 72.0039", "55.8271", "72.0039"},
        {u"10, 20", "10", "20"},
        {u"20, 10", "20", "10"},
        // Outside the region, a value beyond 90 is the longitude.
        {u"45, -120", "-120", "45"},
        {u"-120, 45", "-120", "45"},
        {u"0.8292, 137.8347", "137.8347", "0.8292"},
        {u"10, 90.000001", "90.000001", "10"},
        // The bounds of the ranges.
        {u"180, 90", "180", "90"},
        {u"-180, -90", "-180", "-90"},
        {u"90, 90", "90", "90"},
        {u"S90 W180", "-180", "-90"},
        {u"90°, 180°00′00″", "180", "90"},
        {u"90.000, 180.0", "180.0", "90.000"},
        // The most pieces two values are written in.
        {u"N+1°2′3″, E+4°5′6″", "4.085", "1.034166666667"},
    };
    expectPairs(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, OneValueInAFormTheFieldsWouldMisread) {
    const OneValueCase cases[] = {
        {u"113°32'43.2\"", kLon, "113.545333333333", kLon},
        {u"113°30'", kLon, "113.5", kLon},
        {u"113°32.72'", kLon, "113.545333333333", kLon},
        {u"113.5°", kLon, "113.5", kLon},
        {u"113°", kLon, "113", kLon},
        {u"113 32 43.2", kLon, "113.545333333333", kLon},
        {u"23 30 00", kLat, "23.5", kLat},
        {u"113。545324", kLon, "113.545324", kLon},
        {u"１１３．５", kLon, "113.5", kLon},
        {u"－２３．５", kLat, "-23.5", kLat},
        {u"−23.5", kLat, "-23.5", kLat},
        {u"(23.5)", kLat, "23.5", kLat},
        {u"（113.5）", kLon, "113.5", kLon},
        // Letters name the field the value belongs in, whichever was pasted into.
        {u"N23.515146", kLon, "23.515146", kLat},
        {u"23.515146N", kLat, "23.515146", kLat},
        {u"E113.545324", kLat, "113.545324", kLon},
        {u"S 23.5", kLon, "-23.5", kLat},
        {u"w74", kLon, "-74", kLon},
        {u"北纬23.5", kLon, "23.5", kLat},
        {u"西经74°", kLat, "-74", kLon},
        {u"N+23.5", kLat, "23.5", kLat},
        // With no field named, a value goes nowhere in particular.
        {u"113°30'", Axis::Unnamed, "113.5", Axis::Unnamed},
    };
    expectOneValues(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, DecimalsKeepTheirDigitsAndDropOnlyPlusAndLeadingZeros) {
    const OneValueCase cases[] = {
        {u"(0023.500)", kLat, "23.500", kLat},
        {u"(+23.5)", kLat, "23.5", kLat},
        {u"(.5)", kLat, "0.5", kLat},
        {u"(5.)", kLat, "5", kLat},
        {u"(-0)", kLat, "-0", kLat},
        {u"S0", kLat, "-0", kLat},
        {u"N23.12345678901234567890123456789", kLat, "23.12345678901234567890123456789", kLat},
        // The binary neighbour of this decimal is 0.1000000000000000055...: none of that.
        {u"（0.1）", kLat, "0.1", kLat},
    };
    expectOneValues(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, SexagesimalValuesRoundHalfUpToTwelveDecimals) {
    const OneValueCase cases[] = {
        // 1/3600 degree is 0.000277777...: the 13th decimal 7 rounds the 12th up.
        {u"0°0′1″", kLat, "0.000277777778", kLat},
        // 0.0000000018 second is exactly 0.0000000000005 degree: the tie rounds up.
        {u"0°0′0.0000000018″", kLat, "0.000000000001", kLat},
        {u"0°0′0.0000000017″", kLat, "0", kLat},
        // Rounding carries into the whole degrees.
        {u"89°59′59.9999999999″", kLat, "90", kLat},
        {u"179°59.99999999999999′", kLon, "180", kLon},
        {u"S 0°30′", kLat, "-0.5", kLat},
        {u"-113°30′", kLon, "-113.5", kLon},
        {u"１１３°３２′４３．２″", kLon, "113.545333333333", kLon},
        {u"113°05′00.000000000000000000000000000000000001″", kLon, "113.083333333333", kLon},
    };
    expectOneValues(std::begin(cases), std::end(cases));
}

// The decimal of every whole-second value against the double sum, which is within 1e-12 of the
// exact value here; the decimal must be within 1e-9 of it.
TEST(PastedCoordinate, SexagesimalValuesAreWithinANanodegree) {
    for (int degrees = 0; degrees <= 179; degrees += 7) {
        for (int minutes = 0; minutes < 60; minutes += 3) {
            for (int tenths = 0; tenths < 600; tenths += 37) {
                const std::string ascii = std::to_string(degrees) + "d" + std::to_string(minutes) +
                                          "'" + std::to_string(tenths / 10) + "." +
                                          std::to_string(tenths % 10) + "\"";
                std::u16string text(ascii.begin(), ascii.end());
                text[text.find(u'd')] = u'°';
                const RecognisedCoordinate result = recognise(text, kLon);
                ASSERT_EQ(result.form, PastedForm::OneValue) << ascii;
                const double expected = degrees + minutes / 60.0 + tenths / 36000.0;
                EXPECT_NEAR(readDecimalNumber(result.value.text), expected, 1e-9) << ascii;
            }
        }
    }
}

TEST(PastedCoordinate, NoCoordinateIsPastedAsItStands) {
    const std::u16string cases[] = {
        // Plain numbers the fields read as they stand.
        u"113.5", u"-23.1", u"+23.5", u"  23.5  ", u".5", u"5.", u"0023.5", u"1e3", u"1E-3",
        // Nothing, or nothing but separators and blanks.
        u"", u"   ", u"\t\r\n", u",", u" , ", u"()", u"（ ）", u"°", u"N",
        // A number with trailing text, words, and numbers in other notations.
        u"113.5 km", u"113.5km", u"Guangzhou", u"North 23.5", u"23.5 degrees", u"1,5e3", u"0x1A",
        u"113.5.2", u"113..5", u"23.5.6, 113.5", u"23.5 . 113.5", u"．", u"1 2 3 4",
        u"113.545324,23.515146,0", u"1 2 3 4, 5",
        // Three numbers, two of them with commas, or a pair with too many separators.
        u"23.5, 113.5, 10", u"23.5 113.5 10", u"23.5,,113.5", u"23.5, 113.5,", u",23.5 113.5",
        // One of two values missing, or a separator inside a value.
        u"23.5,", u"N23.5,", u"23 30 45,",
        // Readings that could go two ways, or numbers that touch.
        u"113 32 43 23.5", u"113°32", u"23.5N113.5E", u"23.5-113.5",
        // Minutes or seconds of 60 or more, fractions before the last number, marks out of order.
        u"113°60'", u"113°32'60\"", u"113 60 0", u"113 32 60", u"113.5°30'", u"113°30.5'10\"",
        u"113'", u"113°32\"", u"113°32'43.2", u"113 32' 43.2\"",
        // Latitude beyond 90, longitude beyond 180, exactly and by a little.
        u"90.0000000000000000001, 100", u"90.5, 100", u"N90.000001 E10", u"N90.000001",
        u"S90°0′0.000001″", u"N90°1′", u"180 1 0, 10", u"95, 100", u"180.000001, 10", u"181 0 0",
        u"E180°00′01″", u"1000, 10", u"-180.5 10",
        // Letters that conflict: twice one axis, two on one value, a minus beside a letter,
        // S or N on a value only a longitude can have.
        u"N23.5 N113.5", u"E23.5, W113.5", u"N23.5E", u"NE23.5 113.5", u"-N23.5", u"N-23.5",
        u"-23.5S", u"S113.5", u"23.5 S113.5", u"北纬113.5 东经23.5", u"北 23.5", u"23.5 北",
        u"N23.5 N50.5", u"E23.5, W50",
        // Signs apart from their digits, twice, or after them.
        u"- 23.5, 113.5", u"--23.5, 113.5", u"23.5-, 113.5", u"+-23.5 113.5",
        // Brackets that do not surround the whole, or do not match.
        u"(23.5, 113.5", u"23.5, 113.5)", u"(23.5, 113.5]", u"(23.5), (113.5)", u"((23.5))",
        // More pieces than two values are written in.
        u"N+1°2′3″, E+4°5′6″ 7"};
    expectAsItStands(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, AValueAloneBeyondTheRangeOfItsFieldIsPastedAsItStands) {
    for (const std::u16string text : {u"113°32′43.2″", u"(95)", u"95 0 0", u"95。5"}) {
        EXPECT_EQ(recognise(text, kLat).form, PastedForm::AsItStands) << printable(text);
        EXPECT_EQ(recognise(text, kLon).form, PastedForm::OneValue) << printable(text);
    }
    EXPECT_EQ(recognise(u"N95", kLon).form, PastedForm::AsItStands);
    EXPECT_EQ(recognise(u"(180.5)", kLon).form, PastedForm::AsItStands);
    EXPECT_EQ(recognise(u"(180)", kLon).form, PastedForm::OneValue);
}

TEST(PastedCoordinate, TextLongerThanTheLimitIsNoCoordinate) {
    // A pair padded with blanks to the limit, and one unit more.
    std::u16string atLimit = u"23.515146, 113.545324";
    atLimit.resize(kPastedTextLimit, u' ');
    EXPECT_EQ(recognise(atLimit, kLon).form, PastedForm::Pair);
    EXPECT_EQ(recognise(atLimit + u' ', kLon).form, PastedForm::AsItStands);

    // The longest decimal the limit allows, which gains a minus sign and a leading zero.
    std::u16string longest = u"S.";
    longest.resize(kPastedTextLimit, u'7');
    const RecognisedCoordinate result = recognise(longest, kLat);
    ASSERT_EQ(result.form, PastedForm::OneValue);
    EXPECT_EQ(std::string(result.value.text), "-0." + std::string(kPastedTextLimit - 2, '7'));
}

TEST(PastedCoordinate, OnlyTheGivenUnitsAreRead) {
    // What follows the length is not the pasted text, even where it would make a coordinate.
    const std::u16string text = u"23.5, 113.5°30'";
    EXPECT_EQ(recognisePastedCoordinate(text.data(), 11, kLon).form, PastedForm::Pair);
    EXPECT_STREQ(recognisePastedCoordinate(text.data(), 11, kLon).longitude.text, "113.5");
    EXPECT_EQ(recognisePastedCoordinate(text.data(), 0, kLon).form, PastedForm::AsItStands);
    EXPECT_EQ(recognisePastedCoordinate(nullptr, 0, kLon).form, PastedForm::AsItStands);
}

TEST(PastedCoordinate, UnitsOfNoCoordinateInsideTheTextAreNoCoordinate) {
    const std::u16string nul(1, u'\0');
    const std::u16string highSurrogate(1, char16_t(0xD835));
    const std::u16string lowSurrogate(1, char16_t(0xDC00));
    const std::u16string cases[] = {
        u"23.5" + nul + u", 113.5",
        u"23.5, 113.5" + nul,
        nul + u"23.5",
        // A lone high surrogate, a lone low one, and a whole pair (U+1D7D0, a bold digit 2).
        u"23.5" + highSurrogate + u", 113.5",
        u"23.5, " + lowSurrogate + u"113.5",
        u"\U0001D7D0.5, 113.5",
        // Look-alikes that are not taken: the ideographic comma, a full-width colon.
        u"23.5、113.5",
        u"23：30",
    };
    expectAsItStands(std::begin(cases), std::end(cases));
}

TEST(PastedCoordinate, BlanksOfOtherKindsPartAndTrimLikeSpaces) {
    const PairCase cases[] = {
        {u"\u00A023.5\u3000113.5\u00A0", "113.5", "23.5"},
        {u"\v23.5\f113.5", "113.5", "23.5"},
    };
    expectPairs(std::begin(cases), std::end(cases));
}

} // namespace
