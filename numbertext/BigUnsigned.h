#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A non-negative integer of up to Bits bits. Every finite double is an integer times a power of
// two, and every decimal an integer times a power of ten, so exact conversions between the two
// need integer arithmetic alone: no tables, no floating-point steps, the same result everywhere.
// Results must fit in Bits bits; the callers size Bits for their largest values. Where it grows,
// it checks that the result fits, and aborts the process if not, in every build: a value that no
// longer fit would write past the limbs, or lose its top digits and become a wrong number on
// screen. No input reaches the check; a change that undersized Bits would.
template <std::size_t Bits>
class BigUnsigned {
    static_assert(Bits % 32 == 0 && Bits >= 64, "whole limbs, and room for a 64-bit value");

public:
    explicit BigUnsigned(std::uint64_t value) {
        limbs_[0] = static_cast<std::uint32_t>(value);
        limbs_[1] = static_cast<std::uint32_t>(value >> 32);
        size_ = 2;
        dropLeadingZeroLimbs();
    }

    bool isZero() const { return size_ == 0; }

    // 0 for zero, which has no top limb to count.
    std::size_t bitLength() const {
        if (size_ == 0) {
            return 0;
        }
        std::size_t length = (size_ - 1) * 32;
        for (std::uint32_t top = limbs_[size_ - 1]; top != 0; top >>= 1) {
            ++length;
        }
        return length;
    }

    // The lowest 64 bits.
    std::uint64_t low64() const { return (std::uint64_t{limb(1)} << 32) | limb(0); }

    // Whether any of the bits below bit index, one of the value's own bits, is set.
    bool anyBitBelow(std::size_t index) const {
        const std::size_t whole = index / 32;
        if (std::any_of(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(whole),
                        [](std::uint32_t limb) { return limb != 0; })) {
            return true;
        }
        return (limbs_[whole] & ((std::uint32_t{1} << (index % 32)) - 1)) != 0;
    }

    // <0, 0 or >0 as this is less than, equal to or greater than other.
    int compare(const BigUnsigned& other) const {
        if (size_ != other.size_) {
            return size_ < other.size_ ? -1 : 1;
        }
        for (std::size_t i = size_; i-- > 0;) {
            if (limbs_[i] != other.limbs_[i]) {
                return limbs_[i] < other.limbs_[i] ? -1 : 1;
            }
        }
        return 0;
    }

    // this = this * factor + addend.
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) {
            requireFits((size_ + 1) * 32);
            limbs_[size_++] = static_cast<std::uint32_t>(carry);
        }
    }

    // this = this - other, for other <= this.
    void subtract(const BigUnsigned& other) {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t subtrahend = std::uint64_t{other.limb(i)} + borrow;
            borrow = limbs_[i] < subtrahend ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - subtrahend);
        }
        dropLeadingZeroLimbs();
    }

    // this = this * 2^bits.
    void shiftLeft(std::size_t bits) {
        requireFits(bitLength() + bits);
        const std::size_t limbShift = bits / 32;
        const unsigned bitShift = bits % 32;
        limbs_[size_ + limbShift] = 0;
        for (std::size_t i = size_; i-- > 0;) {
            const std::uint64_t wide = std::uint64_t{limbs_[i]} << bitShift;
            limbs_[i + limbShift + 1] |= static_cast<std::uint32_t>(wide >> 32);
            limbs_[i + limbShift] = static_cast<std::uint32_t>(wide);
        }
        std::fill_n(limbs_.begin(), limbShift, 0u);
        size_ += limbShift + 1;
        dropLeadingZeroLimbs();
    }

    // this = this / 2^bits, the remainder dropped.
    void shiftRight(std::size_t bits) {
        const std::size_t limbShift = bits / 32;
        const unsigned bitShift = bits % 32;
        if (limbShift >= size_) {
            size_ = 0;
            return;
        }
        for (std::size_t i = 0; i + limbShift < size_; ++i) {
            const std::uint64_t wide =
                (std::uint64_t{limb(i + limbShift + 1)} << 32) | limbs_[i + limbShift];
            limbs_[i] = static_cast<std::uint32_t>(wide >> bitShift);
        }
        size_ -= limbShift;
        dropLeadingZeroLimbs();
    }

    // this = this / 2^bits, rounded to the nearest integer, a tie to the even one.
    void shiftRightRoundingToEven(std::size_t bits) {
        if (bits == 0) {
            return;
        }
        // A value whose limbs all lie below the half bit is below one half: it rounds to 0. Past
        // this, every bit that the rounding reads is one of the value's own.
        if ((bits - 1) / 32 >= size_) {
            size_ = 0;
            return;
        }
        const bool half = ((limbs_[(bits - 1) / 32] >> ((bits - 1) % 32)) & 1) != 0;
        const bool aboveHalf = half && anyBitBelow(bits - 1);
        shiftRight(bits);
        if (aboveHalf || (half && (limb(0) & 1) != 0)) {
            multiplyAdd(1, 1);
        }
    }

    // Writes the decimal digits, without leading zeros ("0" for zero) and without a NUL, and
    // returns their count, at most kMaxDecimalDigits.
    static constexpr std::size_t kMaxDecimalDigits = Bits * 30103 / 100000 + 1;
    std::size_t writeDecimal(char* digits) const {
        // Nine digits at a time: a remainder below 10^9 and a limb fit in 64 bits.
        constexpr std::uint32_t kBillion = 1000000000;
        std::array<std::uint32_t, kMaxDecimalDigits / 9 + 1> groups{};
        std::size_t groupCount = 0;
        BigUnsigned rest = *this;
        while (rest.size_ != 0) {
            std::uint64_t remainder = 0;
            for (std::size_t i = rest.size_; i-- > 0;) {
                const std::uint64_t part = (remainder << 32) | rest.limbs_[i];
                rest.limbs_[i] = static_cast<std::uint32_t>(part / kBillion);
                remainder = part % kBillion;
            }
            rest.dropLeadingZeroLimbs();
            groups[groupCount++] = static_cast<std::uint32_t>(remainder);
        }
        if (groupCount == 0) {
            digits[0] = '0';
            return 1;
        }
        char highest[9];
        std::size_t length = 0;
        for (std::uint32_t group = groups[groupCount - 1]; group != 0; group /= 10) {
            highest[length++] = static_cast<char>('0' + group % 10);
        }
        char* out = std::reverse_copy(highest, highest + length, digits);
        for (std::size_t g = groupCount - 1; g-- > 0; out += 9) {
            std::uint32_t group = groups[g];
            for (std::size_t i = 9; i-- > 0; group /= 10) {
                out[i] = static_cast<char>('0' + group % 10);
            }
        }
        return static_cast<std::size_t>(out - digits);
    }

private:
    static void requireFits(std::size_t bitCount) {
        if (bitCount > Bits) {
            std::abort();
        }
    }

    std::uint32_t limb(std::size_t index) const { return index < size_ ? limbs_[index] : 0; }

    void dropLeadingZeroLimbs() {
        while (size_ != 0 && limbs_[size_ - 1] == 0) {
            --size_;
        }
    }

    // One limb of headroom: shiftLeft writes one beyond the result before it trims it.
    std::array<std::uint32_t, Bits / 32 + 1> limbs_{}; // least significant first
    std::size_t size_ = 0;                             // limbs in use; the highest is not zero
};
