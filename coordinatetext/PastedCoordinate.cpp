#include "AngleReading.h"
#include "CoordinateText.h"
#include "CoordinateTokens.h"
#include "NumberText.h"
#include "OffsetTransform.h"

namespace {

void trim(const char16_t*& begin, const char16_t*& end) {
    while (begin != end && isBlank(*begin)) {
        ++begin;
    }
    while (end != begin && isBlank(end[-1])) {
        --end;
    }
}

// One pair of brackets around the whole text: (), [] or full-width （）.
void dropSurroundingBrackets(const char16_t*& begin, const char16_t*& end) {
    if (begin == end) {
        return;
    }
    const char16_t open = begin[0];
    const char16_t close = end[-1];
    if ((open == u'(' && close == u')') || (open == u'[' && close == u']') ||
        (open == u'（' && close == u'）')) {
        ++begin;
        --end;
    }
}

// An ASCII sign, digits and full stops alone: what the fields read as they stand. A second full
// stop makes no other form either, so it is left to the fields too.
bool isPlainNumber(const char16_t* begin, const char16_t* end) {
    const char16_t* p = begin;
    if (p != end && (*p == u'+' || *p == u'-')) {
        ++p;
    }
    bool digits = false;
    for (; p != end; ++p) {
        if (*p >= u'0' && *p <= u'9') {
            digits = true;
        } else if (*p != u'.') {
            return false;
        }
    }
    return digits;
}

double degreesOf(const Angle& angle) {
    return readDecimalNumber(angle.decimal.text);
}

// Puts two angles, in the order written, into the result as a longitude and a latitude; false
// when no order makes them one.
bool orderPair(const Angle& written1, const Angle& written2, RecognisedCoordinate& result) {
    const Axis axis1 = written1.decimal.axis;
    const Axis axis2 = written2.decimal.axis;
    bool firstIsLongitude;
    if (axis1 != Axis::Unnamed || axis2 != Axis::Unnamed) {
        if (axis1 == axis2) {
            return false;
        }
        firstIsLongitude = axis1 == Axis::Longitude || axis2 == Axis::Latitude;
    } else {
        const double degrees1 = degreesOf(written1);
        const double degrees2 = degreesOf(written2);
        const bool insideAsWritten = isInOffsetRegion(degrees1, degrees2);
        const bool insideSwapped = isInOffsetRegion(degrees2, degrees1);
        if (insideAsWritten != insideSwapped) {
            firstIsLongitude = insideAsWritten;
        } else {
            // Where both are beyond 90 no order makes a latitude of either.
            firstIsLongitude = !exceeds(written2, 90);
        }
    }
    const Angle& longitude = firstIsLongitude ? written1 : written2;
    const Angle& latitude = firstIsLongitude ? written2 : written1;
    if (exceeds(latitude, 90)) {
        return false;
    }
    result.form = PastedForm::Pair;
    result.longitude = longitude.decimal;
    result.latitude = latitude.decimal;
    result.longitude.axis = Axis::Longitude;
    result.latitude.axis = Axis::Latitude;
    return true;
}

bool placeOneValue(const Angle& angle, Axis pastedInto, RecognisedCoordinate& result) {
    const Axis axis = angle.decimal.axis != Axis::Unnamed ? angle.decimal.axis : pastedInto;
    if (axis == Axis::Latitude && exceeds(angle, 90)) {
        return false;
    }
    result.form = PastedForm::OneValue;
    result.value = angle.decimal;
    result.value.axis = axis;
    return true;
}

// Tokens with no separator: one angle, or two parted by white space. Every way of reading them
// is tried, and only a text with exactly one reading is a coordinate.
RecognisedCoordinate readWithoutSeparator(const char16_t* text, const Tokens& tokens,
                                          Axis pastedInto) {
    RecognisedCoordinate result{};
    const Token* const first = tokens.token;
    const Token* const last = first + tokens.count;
    int readings = 0;
    Angle angle;
    if (readAngle(text, first, last, false, angle) && placeOneValue(angle, pastedInto, result)) {
        ++readings;
    }
    for (const Token* split = first + 1; split < last; ++split) {
        Angle written1;
        Angle written2;
        RecognisedCoordinate pair{};
        if (split->afterBlank && readAngle(text, first, split, false, written1) &&
            readAngle(text, split, last, false, written2) && orderPair(written1, written2, pair)) {
            result = pair;
            ++readings;
        }
    }
    if (readings != 1) {
        result = RecognisedCoordinate{};
    }
    return result;
}

RecognisedCoordinate readWithSeparator(const char16_t* text, const Tokens& tokens,
                                       const Token* separator) {
    RecognisedCoordinate result{};
    Angle written1;
    Angle written2;
    if (!readAngle(text, tokens.token, separator, true, written1) ||
        !readAngle(text, separator + 1, tokens.token + tokens.count, true, written2) ||
        !orderPair(written1, written2, result)) {
        result = RecognisedCoordinate{};
    }
    return result;
}

} // namespace

RecognisedCoordinate recognisePastedCoordinate(const char16_t* text, std::size_t length,
                                               Axis pastedInto) {
    RecognisedCoordinate result{};
    result.form = PastedForm::AsItStands;
    if (length > kPastedTextLimit) {
        return result;
    }
    const char16_t* begin = text;
    const char16_t* end = text + length;
    trim(begin, end);
    if (isPlainNumber(begin, end)) {
        return result;
    }
    dropSurroundingBrackets(begin, end);
    Tokens tokens;
    if (!splitIntoTokens(begin, static_cast<std::size_t>(end - begin), tokens)) {
        return result;
    }
    // A second separator is no part of an angle: the reading of one side fails on it.
    const Token* const last = tokens.token + tokens.count;
    const Token* separator = tokens.token;
    while (separator != last && separator->kind != TokenKind::Separator) {
        ++separator;
    }
    return separator != last ? readWithSeparator(begin, tokens, separator)
                             : readWithoutSeparator(begin, tokens, pastedInto);
}
