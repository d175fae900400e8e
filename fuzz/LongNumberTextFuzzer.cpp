// Number reading of texts of any length, mostly digits, and printing of doubles of every exponent:
// memory bounds, and agreement with the C library's correctly rounded conversions. The first nine
// bytes make the double to print, the rest the text to read.
#include "Bits.h"
#include "NumberTextOracle.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kDoubleBytes = 9;

// Sixteen bits give the sign and, in their low eleven, any biased exponent 0..2047; seven more
// bytes give the fraction's 52 bits.
double doubleOf(const std::uint8_t* bytes) {
    const std::uint64_t signAndExponent = bytes[0] | std::uint64_t{bytes[1]} << 8;
    std::uint64_t fraction = 0;
    for (std::size_t i = 2; i < kDoubleBytes; ++i) {
        fraction = fraction << 8 | bytes[i];
    }
    return fromBits((signAndExponent >> 15) << 63 | (signAndExponent & 0x7FF) << 52 |
                    (fraction & ((std::uint64_t{1} << 52) - 1)));
}

// A byte that has a part in a decimal number stays itself; any other becomes a digit, so that
// random bytes make long runs of digits.
char numberCharacterOf(std::uint8_t byte) {
    if (byte != 0 && std::strchr("0123456789.eE+- ", byte) != nullptr) {
        return static_cast<char>(byte);
    }
    return static_cast<char>('0' + byte % 10);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kDoubleBytes) {
        return 0;
    }
    checkPrinting(doubleOf(data));

    // The text gets a heap block of exactly its characters and the NUL, so ASan reports any read
    // past the NUL.
    const std::size_t length = size - kDoubleBytes;
    const auto text = std::make_unique<char[]>(length + 1);
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = numberCharacterOf(data[kDoubleBytes + i]);
    }
    text[length] = '\0';
    const double value = readDecimalNumber(text.get());
    check(bitsOf(value) == bitsOf(expectedReading(text.get())),
          "the text reads as the correctly rounded value of its decimal prefix");
    checkPrinting(value);
    return 0;
}
