#pragma once

#include "NumberText.h"

#include <string>

// A double as a field shows it: six decimals, or the shortest form where those would not fit.
inline std::string sixDecimals(double value) {
    char text[100]; // as large as the dialog's field buffer
    formatSixDecimals(value, text, sizeof text);
    return text;
}
