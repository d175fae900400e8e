#pragma once

#include <cstddef>

// Coordinates as people copy them from web maps, GPS units, spreadsheets and chats, rewritten as
// the plain decimal text that the input fields read: ASCII digits, "-" for south and west, "."
// as the decimal mark. Pure text in, text out; nothing of the platform.

// Pasted texts longer than this, in UTF-16 units, are no coordinate.
constexpr std::size_t kPastedTextLimit = 256;

// Room for one plain decimal and its NUL. A decimal keeps every digit it was pasted with, and
// may gain a "-" (from S or W) and a leading "0" (".5"): one character more than the text.
constexpr std::size_t kPlainDecimalSize = kPastedTextLimit + 2;

// What a value is: said by its hemisphere letters or words (N, S, 北纬, 南纬; E, W, 东经, 西经),
// by the field it was pasted into, or by neither.
enum class Axis { Unnamed, Longitude, Latitude };

struct PlainDecimal {
    char text[kPlainDecimalSize]; // NUL-terminated
    Axis axis;
};

enum class PastedForm {
    // Not a coordinate, or a plain number the fields already read as it stands: the edit
    // control pastes it as it would anyway.
    AsItStands,
    // One value in a form the fields would misread (DMS, hemisphere letters, full-width
    // characters, the ideographic full stop): value holds its plain decimal, and its axis the
    // field it belongs in (the one pasted into, unless its letters name the other).
    OneValue,
    // A longitude and a latitude, in whichever order and notation they came.
    Pair,
};

struct RecognisedCoordinate {
    PastedForm form;
    PlainDecimal value;     // OneValue
    PlainDecimal longitude; // Pair
    PlainDecimal latitude;  // Pair
};

// Recognises the text (UTF-16, length units, not NUL-terminated, trimmed of white space here)
// pasted into a longitude or a latitude field.
//
// What it reads, after one pair of surrounding brackets ((), [], （）) is dropped:
// - A value: an optional hemisphere letter (N, S, E, W in either case) or word (北纬, 南纬,
//   东经, 西经) before or after it; an optional sign (+, -, −, ＋, －) right before its
//   digits, but no minus beside a letter; then decimal degrees (113.5, 113.5°), degrees and
//   minutes (113°32.72′), or degrees, minutes and seconds (113°32′43.2″, or without marks
//   113 32 43.2). The marks are °, º; ' or ′; " or ″. Digits may be full-width, the decimal
//   mark ".", "．" or "。". Only the last number of a value has a fraction; minutes and
//   seconds are below 60; no value exceeds 180.
// - Two values parted by one separator (, ， ; ；), each of which may also be two numbers
//   without marks, degrees and minutes ("23 30, 113 32"); or, with no separator, by white
//   space. Without a separator the text must have exactly one reading: one value, or two values
//   parted at one of its blanks. Two bare numbers are therefore a pair ("23.5 113.5"), three
//   are one value in degrees, minutes and seconds ("113 32 43.2"), six are two such values, and
//   a text that reads both ways ("113 32 43 23.5") is no coordinate.
// - The longitude of a pair is the value that letters name so (two of one axis: none); else
//   the one that puts the point inside the offset region, when only one order does; else a
//   value beyond 90 degrees; else the first. A latitude beyond 90 is no coordinate.
// - A plain number the fields read as it stands (an ASCII sign, digits, a full stop) is left
//   AsItStands, and so is an exponent ("1e3"); a value alone goes to the field its letters name,
//   else to the one pasted into, and is no coordinate beyond that field's range (pasted into
//   neither, Unnamed: the range of a longitude).
// Decimals keep their digits, "+" and leading zeros dropped; the sexagesimal forms become
// decimal degrees rounded half up to 12 decimals, trailing zeros dropped (113°30′ is 113.5).
RecognisedCoordinate recognisePastedCoordinate(const char16_t* text, std::size_t length,
                                               Axis pastedInto);

// The ASCII form of a character an input method types into a field: full-width digits, signs
// and full stops, and the ideographic full stop, become their ASCII forms; every other
// character is returned as it is.
char16_t asciiFormOfTypedCharacter(char16_t character);
