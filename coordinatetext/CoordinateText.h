#pragma once

#include <cstddef>

// Coordinates as people copy them from web maps, GPS units, spreadsheets and chats, rewritten as
// the plain decimal text that the input fields read: ASCII digits, "-" for south and west, "."
// as the decimal mark. Pure text in, text out; nothing of the platform.

// Pasted texts longer than this, in UTF-16 units, are no coordinate.
constexpr std::size_t kPastedTextLimit = 256;

// Room for one plain decimal and its NUL. A decimal keeps every digit it was pasted with.
constexpr std::size_t kPlainDecimalSize = kPastedTextLimit + 1;

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
RecognisedCoordinate recognisePastedCoordinate(const char16_t* text, std::size_t length,
                                               Axis pastedInto);

// The ASCII form of a character an input method types into a field: full-width digits, signs
// and full stops, and the ideographic full stop, become their ASCII forms; every other
// character is returned as it is.
char16_t asciiFormOfTypedCharacter(char16_t character);
