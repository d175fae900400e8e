#pragma once

#include "CoordinateText.h"
#include "CoordinateTokens.h"

#include <cstddef>

// One angle as it was written, as a plain decimal.
struct Angle {
    PlainDecimal decimal; // its axis is the one the angle's letters name, or Unnamed
    unsigned wholeDegrees;
    bool beyondWhole; // a fraction of a degree beyond wholeDegrees
};

// Whether the angle's magnitude exceeds limit degrees, exactly (not through a double).
inline bool exceeds(const Angle& angle, unsigned limit) {
    return angle.wholeDegrees > limit || (angle.wholeDegrees == limit && angle.beyondWhole);
}

// Reads tokens [first, last) of text as one angle of at most 180 degrees:
//   [letter] [sign] degrees [minutes [seconds]] [letter]
// with one hemisphere letter or word at most, before or after, and no minus sign beside it.
// The numbers carry their marks (113°32′43.2″, 113°32.72′, 113.5°) or none: one bare number
// is decimal degrees, three are degrees, minutes and seconds (113 32 43.2), and two are degrees
// and minutes only where twoBareNumbers allows it. Only the last number has a fraction;
// minutes and seconds are below 60.
bool readAngle(const char16_t* text, const Token* first, const Token* last, bool twoBareNumbers,
               Angle& angle);
