#include "CoordinateTokens.h"

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' ||
           c == u'\u00A0' || c == u'\u3000';
}

namespace {

bool isDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

bool isAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isDecimalMark(char16_t c) {
    return c == u'.' || c == u'．' || c == u'。';
}

Mark markOf(char16_t c) {
    switch (c) {
    case u'°':
    case u'º':
        return Mark::Degrees;
    case u'\'':
    case u'′':
        return Mark::Minutes;
    case u'"':
    case u'″':
        return Mark::Seconds;
    default:
        return Mark::None;
    }
}

struct Hemisphere {
    Axis axis;
    bool negative;
};

// The hemisphere a letter, or the first character of a word, names; its axis is Unnamed if none.
Hemisphere hemisphereLetter(char16_t c) {
    switch (c) {
    case u'N':
    case u'n':
        return {Axis::Latitude, false};
    case u'S':
    case u's':
        return {Axis::Latitude, true};
    case u'E':
    case u'e':
        return {Axis::Longitude, false};
    case u'W':
    case u'w':
        return {Axis::Longitude, true};
    default:
        return {Axis::Unnamed, false};
    }
}

Hemisphere hemisphereWord(char16_t first, char16_t second) {
    if (second == u'纬') {
        if (first == u'北') {
            return {Axis::Latitude, false};
        }
        if (first == u'南') {
            return {Axis::Latitude, true};
        }
    }
    if (second == u'经') {
        if (first == u'东') {
            return {Axis::Longitude, false};
        }
        if (first == u'西') {
            return {Axis::Longitude, true};
        }
    }
    return {Axis::Unnamed, false};
}

bool isSeparator(char16_t c) {
    return c == u',' || c == u'，' || c == u';' || c == u'；';
}

// An ASCII exponent right after a number's digits: e or E, an optional sign, a digit.
bool startsExponent(const char16_t* text, std::size_t at, std::size_t length) {
    if (at >= length || (text[at] != u'e' && text[at] != u'E')) {
        return false;
    }
    std::size_t next = at + 1;
    if (next < length && (text[next] == u'+' || text[next] == u'-')) {
        ++next;
    }
    return next < length && isAsciiDigit(text[next]);
}

// Reads the number starting at text[at]; returns the index after it, or at if there is none.
std::size_t readNumber(const char16_t* text, std::size_t at, std::size_t length, Token& token) {
    std::size_t i = at;
    while (i < length && isDigit(text[i])) {
        ++i;
    }
    token.point = i;
    if (i < length && isDecimalMark(text[i])) {
        const std::size_t fraction = i + 1;
        std::size_t j = fraction;
        while (j < length && isDigit(text[j])) {
            ++j;
        }
        // A lone decimal mark is no number.
        if (j == fraction && i == at) {
            return at;
        }
        i = j;
    }
    token.begin = at;
    token.end = i;
    return i;
}

} // namespace

unsigned digitValue(char16_t digit) {
    return isAsciiDigit(digit) ? unsigned(digit - u'0') : unsigned(digit - u'０');
}

bool splitIntoTokens(const char16_t* text, std::size_t length, Tokens& tokens) {
    tokens.count = 0;
    bool afterBlank = false;
    std::size_t i = 0;
    while (i < length) {
        const char16_t c = text[i];
        if (isBlank(c)) {
            afterBlank = true;
            ++i;
            continue;
        }
        if (tokens.count == kMaxTokens) {
            return false;
        }
        Token& token = tokens.token[tokens.count];
        token = Token{};
        token.afterBlank = afterBlank;
        afterBlank = false;
        const std::size_t afterNumber = readNumber(text, i, length, token);
        if (afterNumber != i) {
            if (tokens.count != 0 && !token.afterBlank &&
                tokens.token[tokens.count - 1].kind == TokenKind::Number &&
                tokens.token[tokens.count - 1].mark == Mark::None) {
                return false;
            }
            if (startsExponent(text, afterNumber, length)) {
                return false;
            }
            token.kind = TokenKind::Number;
            i = afterNumber;
            if (i < length && markOf(text[i]) != Mark::None) {
                token.mark = markOf(text[i]);
                ++i;
            }
        } else if (c == u'+' || c == u'＋' || c == u'-' || c == u'－' || c == u'−') {
            token.kind = TokenKind::Sign;
            token.negative = c != u'+' && c != u'＋';
            ++i;
        } else if (isSeparator(c)) {
            token.kind = TokenKind::Separator;
            ++i;
        } else if (hemisphereLetter(c).axis != Axis::Unnamed) {
            token.kind = TokenKind::Hemisphere;
            token.axis = hemisphereLetter(c).axis;
            token.negative = hemisphereLetter(c).negative;
            ++i;
        } else if (i + 1 < length && hemisphereWord(c, text[i + 1]).axis != Axis::Unnamed) {
            token.kind = TokenKind::Hemisphere;
            token.axis = hemisphereWord(c, text[i + 1]).axis;
            token.negative = hemisphereWord(c, text[i + 1]).negative;
            i += 2;
        } else {
            return false;
        }
        ++tokens.count;
    }
    return true;
}
