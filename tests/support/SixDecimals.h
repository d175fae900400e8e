#pragma once

#include "NumberText.h"

#include <string>

// A double as a field shows it: six decimals, or the shortest form where those would not fit.
inline std::string sixDecimals(double value) {
    char text[kFieldTextSize];
    formatSixDecimals(value, text);
    return text;
}
