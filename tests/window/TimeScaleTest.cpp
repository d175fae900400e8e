#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <optional>

// The factor that scales every wait of the window tests on a slow machine: a wrong reading would
// make the waits silently short (a slow machine fails) or endless (a hung program hangs the run).
TEST(TimeScaleTest, ReadsAWholeFactorAndRefusesAnythingElse) {
    struct Case {
        const char* value;
        std::optional<int> scale;
    };
    const Case cases[] = {
        {nullptr, 1},
        {"1", 1},
        {"6", 6},
        {"9999", 9999},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"06", std::nullopt},
        {"-2", std::nullopt},
        {"+2", std::nullopt},
        {"2.5", std::nullopt},
        {"6 ", std::nullopt},
        {" 6", std::nullopt},
        {"10000", std::nullopt},
        {"six", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(timeScaleOf(c.value), c.scale) << (c.value != nullptr ? c.value : "(unset)");
    }
}
