#include "NumberText.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The C locale's white space: space, tab, newline, vertical tab, form feed, carriage return.
bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* skipDigits(const char* p) {
    while (isDigit(*p)) {
        ++p;
    }
    return p;
}

// Whether a decimal number whose conversion left the double range was too large (rather than
// too small): the power of ten of its leading non-zero digit plus its exponent is positive. The
// exponent may have any number of digits, so the two are compared rather than added.
bool exceedsDoubleRange(const char* mantissa, const char* exponent, const char* end) {
    std::ptrdiff_t powerOfTen = 0;
    const char* p = mantissa;
    while (*p == '0') {
        ++p;
    }
    if (isDigit(*p)) {
        powerOfTen = skipDigits(p) - p - 1;
    } else {
        if (*p == '.') {
            ++p;
        }
        const char* firstNonZero = p;
        while (*firstNonZero == '0') {
            ++firstNonZero;
        }
        powerOfTen = -(firstNonZero - p) - 1;
    }
    if (exponent == end) {
        return powerOfTen > 0;
    }

    const char* digits = exponent + 1;
    const bool negative = *digits == '-';
    if (*digits == '+' || *digits == '-') {
        ++digits;
    }
    // Saturating at the largest uint64, beyond any power of ten that a text in memory can hold.
    constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t exponentValue = 0;
    for (; digits != end; ++digits) {
        const auto digit = static_cast<std::uint64_t>(*digits - '0');
        if (exponentValue > (kSaturated - digit) / 10) {
            exponentValue = kSaturated;
            break;
        }
        exponentValue = exponentValue * 10 + digit;
    }
    if (negative) {
        return powerOfTen > 0 && exponentValue < static_cast<std::uint64_t>(powerOfTen);
    }
    return powerOfTen > 0 || exponentValue > static_cast<std::uint64_t>(-powerOfTen);
}

} // namespace

double readDecimalNumber(const char* text) {
    const char* p = text;
    while (isSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }

    const char* const mantissa = p;
    const char* const integerEnd = skipDigits(mantissa);
    const char* end = integerEnd;
    if (*integerEnd == '.') {
        const char* const fractionEnd = skipDigits(integerEnd + 1);
        if (fractionEnd - integerEnd > 1 || integerEnd != mantissa) {
            end = fractionEnd;
        }
    }
    if (end == mantissa) {
        return 0.0;
    }

    const char* const exponent = end;
    if (*exponent == 'e' || *exponent == 'E') {
        const char* digits = exponent + 1;
        if (*digits == '+' || *digits == '-') {
            ++digits;
        }
        if (isDigit(*digits)) {
            end = skipDigits(digits);
        }
    }

    double magnitude = 0.0;
    const std::from_chars_result result =
        std::from_chars(mantissa, end, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = exceedsDoubleRange(mantissa, exponent, end)
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

void formatSixDecimals(double value, char (&buffer)[kFieldTextSize]) {
    char* const last = buffer + kFieldTextSize - 1; // room for the NUL
    std::to_chars_result result = std::to_chars(buffer, last, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) {
        // At most 24 characters: always fits.
        result = std::to_chars(buffer, last, value);
    }
    *result.ptr = '\0';
}
