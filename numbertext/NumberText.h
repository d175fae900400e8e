#pragma once

#include <cstddef>

// The smallest buffer formatSixDecimals takes: every exponent form, and the fixed-point form of
// every value below 10^17, fits with its NUL.
constexpr std::size_t kSixDecimalsMinimumSize = 26;

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
// with a minus sign for negative values and a full stop as the decimal mark, into the size bytes
// at buffer as a NUL-terminated text; returns its length. Infinity prints as "inf" or "-inf". A
// finite value whose fixed-point form would not fit in size - 1 characters (in 100 bytes,
// magnitude about 1e91 and beyond) prints in the shortest exponent form that reads back to the
// same double, such as "1e+92". size is at least kSixDecimalsMinimumSize.
std::size_t formatSixDecimals(double value, char* buffer, std::size_t size);
