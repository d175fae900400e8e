#include "BigUnsigned.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};

TEST(BigUnsigned, GrowsUpToItsBits) {
    BigUnsigned<64> top(1);
    top.shiftLeft(63);
    EXPECT_EQ(top.low64(), std::uint64_t{1} << 63);
    BigUnsigned<64> full(kAllOnes - 1);
    full.multiplyAdd(1, 1);
    EXPECT_EQ(full.low64(), kAllOnes);
}

// A shift right leaves the limbs it empties as they were: nothing after it may take them in.
TEST(BigUnsigned, ShiftsRightLeavingNothingBehind) {
    BigUnsigned<128> value(kAllOnes);
    value.shiftLeft(64);
    value.shiftRight(64);
    value.shiftLeft(4);
    EXPECT_EQ(value.bitLength(), 68u);
    EXPECT_EQ(value.low64(), kAllOnes << 4);

    BigUnsigned<128> shorter(kAllOnes);
    shorter.shiftLeft(32);
    shorter.shiftRight(64);
    EXPECT_EQ(shorter.bitLength(), 32u);
    EXPECT_EQ(shorter.low64(), kAllOnes >> 32);
}

// Beyond its bits it aborts, rather than write past its limbs or drop its top ones.
TEST(BigUnsignedDeathTest, GrowingBeyondItsBitsAborts) {
    BigUnsigned<64> full(kAllOnes);
    EXPECT_DEATH(full.multiplyAdd(2, 0), "");
    EXPECT_DEATH(full.multiplyAdd(1, 1), "");
    EXPECT_DEATH(full.shiftLeft(1), "");
    BigUnsigned<64> one(1);
    EXPECT_DEATH(one.shiftLeft(64), "");
}

} // namespace
