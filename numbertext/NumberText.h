#pragma once

#include <cstddef>

// Size of the one text buffer a conversion command uses for all its field reads and writes:
// at most 99 bytes of a field's text take part, and every printed value fits with its NUL.
constexpr std::size_t kFieldTextSize = 100;

// Reads the decimal number at the start of a NUL-terminated text, as the C runtime's atof reads
// it on Windows, identically on every platform and whatever the locale:
// - leading white space is skipped; then an optional sign, digits with an optional fraction
//   after a full stop, and an optional exponent (e or E, optional sign, digits);
// - reading stops at the first character that does not fit, and text that does not begin with
//   a decimal number reads as 0 ("inf", "nan" and words read as 0, "0x1A" as its leading 0);
// - d and D do not start an exponent ("23d30" is 23, not 23e30);
// - a value beyond the double range reads as infinity (1e999), one below it as zero.
// The conversion is correctly rounded.
double readDecimalNumber(const char* text);

// Prints value in fixed-point form with exactly six decimals ("%.06lf"), correctly rounded,
// with a minus sign for negative values and a full stop as the decimal mark, into buffer as a
// NUL-terminated text. Infinity prints as "inf" or "-inf". A finite value whose fixed-point form
// would not fit in 99 characters (magnitude about 1e91 and beyond) prints in the shortest
// exponent form that reads back to the same double, such as "1e+92".
void formatSixDecimals(double value, char (&buffer)[kFieldTextSize]);
