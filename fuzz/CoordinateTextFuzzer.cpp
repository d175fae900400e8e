// The recogniser of pasted coordinates: memory bounds, plain decimals out, ranges, the same answer
// twice, and a value it gives read back as the same value when written with letters.
#include "CoordinateText.h"
#include "FuzzCheck.h"
#include "NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

// What the fields read whole: an optional minus, digits, and a full stop between digits only.
bool isPlainDecimal(const PlainDecimal& decimal) {
    const char* end = static_cast<const char*>(std::memchr(decimal.text, '\0', kPlainDecimalSize));
    if (end == nullptr) {
        return false;
    }
    const char* p = decimal.text;
    if (*p == '-') {
        ++p;
    }
    const char* const whole = p;
    while (p != end && *p >= '0' && *p <= '9') {
        ++p;
    }
    if (p == whole) {
        return false;
    }
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        while (p != end && *p >= '0' && *p <= '9') {
            ++p;
        }
        if (p == fraction) {
            return false;
        }
    }
    return p == end;
}

bool withinDegrees(const PlainDecimal& decimal, double limit) {
    return std::fabs(readDecimalNumber(decimal.text)) <= limit;
}

bool sameDecimal(const PlainDecimal& a, const PlainDecimal& b) {
    return std::strcmp(a.text, b.text) == 0 && a.axis == b.axis;
}

bool sameResult(const RecognisedCoordinate& a, const RecognisedCoordinate& b) {
    if (a.form != b.form) {
        return false;
    }
    switch (a.form) {
    case PastedForm::OneValue:
        return sameDecimal(a.value, b.value);
    case PastedForm::Pair:
        return sameDecimal(a.longitude, b.longitude) && sameDecimal(a.latitude, b.latitude);
    case PastedForm::AsItStands:
        break;
    }
    return true;
}

// "E113.5 S23.5" for a longitude of 113.5 and a latitude of -23.5.
std::u16string withLetters(const char* longitude, const char* latitude) {
    std::u16string text;
    for (const char* value : {longitude, latitude}) {
        const bool negative = value[0] == '-';
        if (!text.empty()) {
            text += u' ';
        }
        text += value == longitude ? (negative ? u'W' : u'E') : (negative ? u'S' : u'N');
        for (const char* p = value + (negative ? 1 : 0); *p != '\0'; ++p) {
            text += static_cast<char16_t>(*p);
        }
    }
    return text;
}

RecognisedCoordinate recogniseCopy(const std::u16string& text, Axis pastedInto) {
    const auto copy = std::make_unique<char16_t[]>(text.size());
    std::memcpy(copy.get(), text.data(), text.size() * sizeof(char16_t));
    return recognisePastedCoordinate(copy.get(), text.size(), pastedInto);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte names the field pasted into, the rest are the text's units, low byte first.
    const Axis pastedInto = static_cast<Axis>(data[0] % 3);
    const std::size_t length = (size - 1) / 2;
    const auto text = std::make_unique<char16_t[]>(length);
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char16_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
        const char16_t typed = asciiFormOfTypedCharacter(text[i]);
        check(typed == text[i] || (typed < 0x80 && typed != text[i]),
              "a typed character is kept, or becomes an ASCII one");
    }

    const RecognisedCoordinate result = recognisePastedCoordinate(text.get(), length, pastedInto);
    check(sameResult(result, recognisePastedCoordinate(text.get(), length, pastedInto)),
          "the same text gives the same result");
    if (length > kPastedTextLimit) {
        check(result.form == PastedForm::AsItStands, "a text over the limit is no coordinate");
    }
    switch (result.form) {
    case PastedForm::AsItStands:
        break;
    case PastedForm::OneValue:
        check(isPlainDecimal(result.value), "a value is a plain decimal");
        check(result.value.axis == pastedInto || result.value.axis != Axis::Unnamed,
              "a value goes to a field unless none was pasted into");
        check(withinDegrees(result.value, result.value.axis == Axis::Latitude ? 90 : 180),
              "a value lies within its field's range");
        break;
    case PastedForm::Pair: {
        check(isPlainDecimal(result.longitude) && isPlainDecimal(result.latitude),
              "a pair is two plain decimals");
        check(result.longitude.axis == Axis::Longitude && result.latitude.axis == Axis::Latitude,
              "a pair's values name their fields");
        check(withinDegrees(result.longitude, 180) && withinDegrees(result.latitude, 90),
              "a pair lies within the ranges");
        const std::u16string again = withLetters(result.longitude.text, result.latitude.text);
        if (again.size() <= kPastedTextLimit) {
            const RecognisedCoordinate lettered = recogniseCopy(again, pastedInto);
            check(lettered.form == PastedForm::Pair &&
                      std::strcmp(lettered.longitude.text, result.longitude.text) == 0 &&
                      std::strcmp(lettered.latitude.text, result.latitude.text) == 0,
                  "a pair written again with letters reads as the same pair");
        }
        break;
    }
    }
    return 0;
}
