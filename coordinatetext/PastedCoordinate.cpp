#include "CoordinateText.h"
#include "NumberText.h"
#include "OffsetTransform.h"

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Copies one plain ASCII decimal of [begin, end) into out; false if it is not one.
bool copyPlainDecimal(const char16_t* begin, const char16_t* end, PlainDecimal& out) {
    std::size_t n = 0;
    bool digits = false;
    bool point = false;
    for (const char16_t* p = begin; p != end; ++p) {
        const char16_t c = *p;
        if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else if (!(c == u'-' && p == begin)) {
            return false;
        }
        out.text[n++] = static_cast<char>(c);
    }
    out.text[n] = '\0';
    out.axis = Axis::Unnamed;
    return digits;
}

} // namespace

RecognisedCoordinate recognisePastedCoordinate(const char16_t* text, std::size_t length,
                                               Axis pastedInto) {
    RecognisedCoordinate result{};
    result.form = PastedForm::AsItStands;
    (void)pastedInto;
    if (length > kPastedTextLimit) {
        return result;
    }
    const char16_t* begin = text;
    const char16_t* end = text + length;
    while (begin != end && isBlank(*begin)) {
        ++begin;
    }
    while (end != begin && isBlank(end[-1])) {
        --end;
    }
    const char16_t* split = begin;
    while (split != end && *split != u',' && !isBlank(*split)) {
        ++split;
    }
    const char16_t* second = split;
    while (second != end && (*second == u',' || isBlank(*second))) {
        ++second;
    }
    PlainDecimal first{};
    PlainDecimal last{};
    if (split == end || !copyPlainDecimal(begin, split, first) ||
        !copyPlainDecimal(second, end, last)) {
        return result;
    }
    const double a = readDecimalNumber(first.text);
    const double b = readDecimalNumber(last.text);
    const bool firstIsLongitude = isInOffsetRegion(a, b) || !isInOffsetRegion(b, a);
    result.form = PastedForm::Pair;
    result.longitude = firstIsLongitude ? first : last;
    result.latitude = firstIsLongitude ? last : first;
    result.longitude.axis = Axis::Longitude;
    result.latitude.axis = Axis::Latitude;
    return result;
}
