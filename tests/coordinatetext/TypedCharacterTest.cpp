#include "CoordinateText.h"

#include <gtest/gtest.h>

namespace {

TEST(AsciiFormOfTypedCharacter, FullWidthDigitsSignsAndStopsBecomeAscii) {
    struct Case {
        char16_t typed;
        char16_t ascii;
    };
    const Case cases[] = {
        {u'０', u'0'}, {u'１', u'1'}, {u'５', u'5'}, {u'９', u'9'},
        {u'＋', u'+'}, {u'－', u'-'}, {u'．', u'.'}, {u'。', u'.'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(asciiFormOfTypedCharacter(c.typed), c.ascii) << int(c.typed);
    }
}

TEST(AsciiFormOfTypedCharacter, EveryOtherCharacterStaysAsTyped) {
    // Among them ／ and ：, the neighbours of the full-width digits, and the minus sign −.
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t c = static_cast<char16_t>(unit);
        if ((c >= u'０' && c <= u'９') || c == u'＋' || c == u'－' || c == u'．' || c == u'。') {
            continue;
        }
        ASSERT_EQ(asciiFormOfTypedCharacter(c), c) << unit;
    }
}

} // namespace
