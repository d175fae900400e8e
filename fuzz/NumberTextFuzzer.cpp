// Number reading and printing of what a field holds, at most 99 bytes: memory bounds, and
// agreement with the C library's correctly rounded conversions.
#include "Bits.h"
#include "NumberTextOracle.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A command reads at most 99 bytes of a field. The text gets a heap block of exactly its bytes
    // and the NUL, so ASan reports any read past the NUL.
    const char* const bytes = reinterpret_cast<const char*>(data);
    const std::size_t length = strnlen(bytes, std::min(size, kPrintedSize - 1));
    const auto text = std::make_unique<char[]>(length + 1);
    std::memcpy(text.get(), bytes, length);
    text[length] = '\0';

    const double value = readDecimalNumber(text.get());
    check(bitsOf(value) == bitsOf(expectedReading(text.get())),
          "the text reads as the correctly rounded value of its decimal prefix");
    checkPrinting(value);

    // Every bit pattern as a value to print, the non-finite ones and the subnormals included.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkPrinting(raw);
    }
    return 0;
}
