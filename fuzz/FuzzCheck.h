#pragma once

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a crash for libFuzzer: it saves the input and stops.
inline void check(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "Property does not hold: %s\n", property);
        std::abort();
    }
}
