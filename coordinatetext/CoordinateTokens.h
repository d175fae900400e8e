#pragma once

#include "CoordinateText.h"

#include <cstddef>

// The pieces a pasted coordinate is written in: numbers with the mark after them, signs,
// hemisphere letters and words, and the separators between two values. White space only
// parts them, and is kept as the flag of the piece after it.

enum class TokenKind { Number, Sign, Hemisphere, Separator };

// The mark written right after a number: °, ′ or ″ (or their look-alikes), in the order the
// numbers of an angle carry them.
enum class Mark { None, Degrees, Minutes, Seconds };

struct Token {
    TokenKind kind;
    bool afterBlank; // white space right before it
    // Number: its digits are [begin, end) of the text, with the decimal mark at point (end when
    // it has none); ASCII or full-width digits.
    std::size_t begin;
    std::size_t point;
    std::size_t end;
    Mark mark;
    bool negative; // Sign: a minus; Hemisphere: S or W
    Axis axis;     // Hemisphere: the axis its letter names
};

// The most pieces two values are written in: a letter, a sign and three numbers each, and the
// separator. A text of more is no coordinate.
constexpr std::size_t kMaxTokens = 11;

struct Tokens {
    Token token[kMaxTokens];
    std::size_t count;
};

// Splits [0, length) of text into tokens. False when a character belongs to no coordinate
// (words, NUL, a lone surrogate, a second decimal mark), two numbers touch, a number has an
// exponent ("1e3", which the fields read as it stands), or there are too many pieces.
bool splitIntoTokens(const char16_t* text, std::size_t length, Tokens& tokens);

// White space, the no-break and the ideographic space among it: it parts pieces, and the text is
// trimmed of it.
bool isBlank(char16_t c);

// The value of an ASCII or full-width digit.
unsigned digitValue(char16_t digit);
