#include "CoordinateText.h"

char16_t asciiFormOfTypedCharacter(char16_t character) {
    // The full-width forms U+FF01 to U+FF5E are ASCII 0x21 to 0x7E, in the same order.
    if ((character >= u'０' && character <= u'９') || character == u'＋' || character == u'－' ||
        character == u'．') {
        return static_cast<char16_t>(character - u'！' + u'!');
    }
    if (character == u'。') {
        return u'.';
    }
    return character;
}
