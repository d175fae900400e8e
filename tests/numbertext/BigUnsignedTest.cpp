#include "BigUnsigned.h"

#include <gtest/gtest.h>

#include <cstddef>
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

// Zero has no top limb: its bit length is 0, and shifting it left leaves it zero.
TEST(BigUnsigned, ZeroHasNoBits) {
    BigUnsigned<64> zero(0);
    EXPECT_EQ(zero.bitLength(), 0u);
    zero.shiftLeft(64);
    EXPECT_TRUE(zero.isZero());
    EXPECT_EQ(zero.bitLength(), 0u);
}

// The half bit decides, a tie goes to the even quotient, and a value whose limbs all lie below
// the half bit rounds to 0, whatever the limbs beyond it hold from an earlier, longer value.
TEST(BigUnsigned, ShiftsRightRoundingToNearestEven) {
    struct Case {
        std::uint64_t value;
        std::size_t bits;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {5, 0, 5},
        {5, 1, 2},                             // 2.5, a tie, to even
        {7, 1, 4},                             // 3.5, a tie, to even
        {std::uint64_t{1} << 31, 32, 0},       // one half, in the top bit of the only limb
        {(std::uint64_t{1} << 31) + 1, 32, 1}, // a little more
        {std::uint64_t{3} << 31, 32, 2},       // one and a half, across two limbs
        {std::uint64_t{1} << 32, 33, 0},       // one half, in the second limb
        {std::uint64_t{1} << 32, 34, 0},       // one quarter
        {kAllOnes >> 32, 33, 0},               // one limb, the half bit in the next
        {kAllOnes, 64, 1},                     // just below one
        {kAllOnes, 65, 0},                     // just below one half, the half bit past the limbs
        {kAllOnes, 1000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " / 2^" << c.bits);
        // The value is made by a shift right from a longer one, so the limbs beyond it are not 0.
        BigUnsigned<128> value(kAllOnes);
        value.shiftLeft(64);
        value.shiftRight(64);
        value.subtract(BigUnsigned<128>(kAllOnes - c.value));
        value.shiftRightRoundingToEven(c.bits);
        EXPECT_EQ(value.low64(), c.expected);
        EXPECT_EQ(value.isZero(), c.expected == 0);
    }
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
