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

// Reads the number at text[at] and the mark right after it; returns the index after them, or at
// when no number starts there or it has an exponent.
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
    if (i == at || startsExponent(text, i, length)) {
        return at;
    }
    token.kind = TokenKind::Number;
    token.begin = at;
    token.end = i;
    if (i < length && markOf(text[i]) != Mark::None) {
        token.mark = markOf(text[i]);
        ++i;
    }
    return i;
}

// Reads the piece at text[at], which is no blank; returns the index after it, or at when no
// piece starts there.
std::size_t readToken(const char16_t* text, std::size_t at, std::size_t length, Token& token) {
    const char16_t c = text[at];
    if (isDigit(c) || isDecimalMark(c)) {
        return readNumber(text, at, length, token);
    }
    if (c == u'+' || c == u'＋' || c == u'-' || c == u'－' || c == u'−') {
        token.kind = TokenKind::Sign;
        token.negative = c != u'+' && c != u'＋';
        return at + 1;
    }
    if (isSeparator(c)) {
        token.kind = TokenKind::Separator;
        return at + 1;
    }
    Hemisphere hemisphere = hemisphereLetter(c);
    std::size_t size = 1;
    if (hemisphere.axis == Axis::Unnamed && at + 1 < length) {
        hemisphere = hemisphereWord(c, text[at + 1]);
        size = 2;
    }
    if (hemisphere.axis == Axis::Unnamed) {
        return at;
    }
    token.kind = TokenKind::Hemisphere;
    token.axis = hemisphere.axis;
    token.negative = hemisphere.negative;
    return at + size;
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
        if (isBlank(text[i])) {
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
        const std::size_t next = readToken(text, i, length, token);
        if (next == i) {
            return false;
        }
        // Two numbers that touch, the first without a mark: a second decimal mark ("23.5.6").
        if (token.kind == TokenKind::Number && !token.afterBlank && tokens.count != 0 &&
            tokens.token[tokens.count - 1].kind == TokenKind::Number &&
            tokens.token[tokens.count - 1].mark == Mark::None) {
            return false;
        }
        i = next;
        ++tokens.count;
    }
    return true;
}
