#include "AngleReading.h"

#include <cstdint>

namespace {

bool hasFraction(const Token& number) {
    return number.point != number.end;
}

// The whole part of a number, or 1000 for any that is larger: no angle gets that far.
unsigned wholePart(const char16_t* text, const Token& number) {
    unsigned whole = 0;
    for (std::size_t i = number.begin; i < number.point; ++i) {
        whole = whole * 10 + digitValue(text[i]);
        if (whole >= 1000) {
            return 1000;
        }
    }
    return whole;
}

bool anyNonZeroFractionDigit(const char16_t* text, const Token& number) {
    for (std::size_t i = number.point + (hasFraction(number) ? 1 : 0); i < number.end; ++i) {
        if (digitValue(text[i]) != 0) {
            return true;
        }
    }
    return false;
}

// Writes the digits of value, without leading zeros ("0" for zero), and returns the end.
char* writeWhole(char* out, unsigned value) {
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count != 0) {
        *out++ = digits[--count];
    }
    return out;
}

// Decimal degrees as written: the digits copied, leading zeros of the whole part dropped.
char* writeDecimalDegrees(char* out, const char16_t* text, const Token& number) {
    out = writeWhole(out, wholePart(text, number));
    if (number.end > number.point + 1) {
        *out++ = '.';
        for (std::size_t i = number.point + 1; i < number.end; ++i) {
            *out++ = static_cast<char>('0' + digitValue(text[i]));
        }
    }
    return out;
}

// The decimals of the sexagesimal forms: within 1e-9 degree, as the issue of a GPS wants.
constexpr std::size_t kSexagesimalDecimals = 12;

// whole / divisor plus the last number's fraction digits / divisor, to kSexagesimalDecimals
// decimals rounded half up, trailing zeros dropped: long division in integers, digit by digit.
// The digits past the rounding digit cannot change the digits up to it.
char* writeQuotient(char* out, std::uint32_t whole, std::uint32_t divisor, const char16_t* text,
                    const Token& last) {
    char decimals[kSexagesimalDecimals + 1];
    std::uint32_t remainder = whole % divisor;
    std::size_t next = last.point + 1;
    for (std::size_t i = 0; i <= kSexagesimalDecimals; ++i) {
        const unsigned digit = next < last.end ? digitValue(text[next++]) : 0;
        remainder = remainder * 10 + digit;
        decimals[i] = static_cast<char>('0' + remainder / divisor);
        remainder %= divisor;
    }
    unsigned degrees = whole / divisor;
    if (decimals[kSexagesimalDecimals] >= '5') {
        std::size_t i = kSexagesimalDecimals;
        while (i != 0 && decimals[i - 1] == '9') {
            decimals[--i] = '0';
        }
        if (i == 0) {
            ++degrees;
        } else {
            ++decimals[i - 1];
        }
    }
    out = writeWhole(out, degrees);
    std::size_t count = kSexagesimalDecimals;
    while (count != 0 && decimals[count - 1] == '0') {
        --count;
    }
    if (count != 0) {
        *out++ = '.';
        for (std::size_t i = 0; i < count; ++i) {
            *out++ = decimals[i];
        }
    }
    return out;
}

// How an angle is written: its letter, its sign, and its numbers [numbers, numbers + count).
struct Notation {
    const Token* letter;
    const Token* sign;
    const Token* numbers;
    std::size_t count;
};

// Splits [first, last) into letter, sign and numbers; false for any other order of pieces.
bool readNotation(const Token* first, const Token* last, Notation& notation) {
    notation = Notation{};
    const Token* token = first;
    if (token != last && token->kind == TokenKind::Hemisphere) {
        notation.letter = token++;
    }
    if (token != last && token->kind == TokenKind::Sign) {
        notation.sign = token++;
        if (token == last || token->kind != TokenKind::Number || token->afterBlank) {
            return false;
        }
    }
    notation.numbers = token;
    while (token != last && token->kind == TokenKind::Number) {
        ++token;
    }
    notation.count = static_cast<std::size_t>(token - notation.numbers);
    if (token != last && token->kind == TokenKind::Hemisphere && notation.letter == nullptr) {
        notation.letter = token++;
    }
    return token == last && notation.count != 0 && notation.count <= 3 &&
           !(notation.letter != nullptr && notation.sign != nullptr && notation.sign->negative);
}

// Whether the numbers carry the marks of degrees, minutes and seconds in turn, or all none, and
// only the last has a fraction.
bool marksFit(const Notation& notation, bool twoBareNumbers) {
    const bool bare = notation.numbers[0].mark == Mark::None;
    for (std::size_t k = 0; k < notation.count; ++k) {
        const Token& number = notation.numbers[k];
        if (number.mark != (bare ? Mark::None : static_cast<Mark>(k + 1)) ||
            (k + 1 < notation.count && hasFraction(number))) {
            return false;
        }
    }
    return !(bare && notation.count == 2 && !twoBareNumbers);
}

} // namespace

bool readAngle(const char16_t* text, const Token* first, const Token* last, bool twoBareNumbers,
               Angle& angle) {
    Notation notation;
    if (!readNotation(first, last, notation) || !marksFit(notation, twoBareNumbers)) {
        return false;
    }
    const Token* const numbers = notation.numbers;
    const std::size_t count = notation.count;
    unsigned parts[3] = {};
    bool beyondWhole = anyNonZeroFractionDigit(text, numbers[count - 1]);
    for (std::size_t k = 0; k < count; ++k) {
        parts[k] = wholePart(text, numbers[k]);
        if (k != 0 && parts[k] >= 60) {
            return false;
        }
        beyondWhole = beyondWhole || (k != 0 && parts[k] != 0);
    }
    angle.wholeDegrees = parts[0];
    angle.beyondWhole = beyondWhole;
    if (exceeds(angle, 180)) {
        return false;
    }

    char* out = angle.decimal.text;
    if ((notation.sign != nullptr && notation.sign->negative) ||
        (notation.letter != nullptr && notation.letter->negative)) {
        *out++ = '-';
    }
    if (count == 1) {
        out = writeDecimalDegrees(out, text, numbers[0]);
    } else if (count == 2) {
        out = writeQuotient(out, parts[0] * 60 + parts[1], 60, text, numbers[1]);
    } else {
        out =
            writeQuotient(out, (parts[0] * 60 + parts[1]) * 60 + parts[2], 3600, text, numbers[2]);
    }
    *out = '\0';
    angle.decimal.axis = notation.letter != nullptr ? notation.letter->axis : Axis::Unnamed;
    return true;
}
