#pragma once

// The number text checked against the C library's correctly rounded conversions, wherever those
// follow the same rules: the oracles share no code with the number text. For the fuzz targets.
#include "Bits.h"
#include "FuzzCheck.h"
#include "NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// glibc's strtod rounds correctly and, in the C locale this process runs in, reads a decimal
// number as the Windows atof does; it also reads hexadecimal, "inf" and "nan", which the fields
// do not: those read as their leading 0, or as 0.
inline double expectedReading(const char* text) {
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p)) != 0) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') {
        ++p;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        return negative ? -0.0 : 0.0;
    }
    if (std::isdigit(static_cast<unsigned char>(*p)) != 0 || *p == '.') {
        return std::strtod(text, nullptr);
    }
    return 0.0;
}

// The size of the dialog's field buffer, which the printed text must fit with its NUL.
constexpr std::size_t kPrintedSize = 100;

// Prints into a heap block of exactly that size, so ASan reports any write past it.
inline std::string printed(double value) {
    const auto buffer = std::make_unique<char[]>(kPrintedSize);
    const std::size_t length = formatSixDecimals(value, buffer.get(), kPrintedSize);
    check(length < kPrintedSize && buffer[length] == '\0' &&
              std::memchr(buffer.get(), '\0', length) == nullptr,
          "the printed text ends in the buffer, at the length returned");
    return buffer.get();
}

inline void checkPrinting(double value) {
    const std::string text = printed(value);
    if (std::isnan(value)) {
        return;
    }
    if (std::isinf(value)) {
        check(text == (value > 0 ? "inf" : "-inf"), "infinity prints as inf or -inf");
        return;
    }
    const double back = readDecimalNumber(text.c_str());
    check(printed(back) == text, "a printed value reads back to itself rounded to six decimals");

    // glibc's printf rounds correctly too: where "%.6f" fits the buffer, the text must be its text.
    char reference[400];
    const int length = std::snprintf(reference, sizeof reference, "%.6f", value);
    if (length < static_cast<int>(kPrintedSize)) {
        check(text == reference, "the text is the correctly rounded fixed-point form");
    } else {
        check(bitsOf(back) == bitsOf(value), "the exponent form reads back to the same double");
        char shortest[32];
        *std::to_chars(shortest, shortest + sizeof shortest - 1, value).ptr = '\0';
        check(text == shortest, "the exponent form is the shortest, as std::to_chars gives it");
    }
}
