#pragma once

#include "Bits.h"

#include <cstdint>

// 64-bit FNV-1a over the little-endian bytes of each value added, and over the bytes of each text
// with its terminating NUL.
class Digest {
public:
    void add(std::uint64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            addByte(static_cast<unsigned char>(value >> (8 * byte)));
        }
    }
    void add(double value) { add(bitsOf(value)); }
    void add(const char* text) {
        do {
            addByte(static_cast<unsigned char>(*text));
        } while (*text++ != '\0');
    }
    std::uint64_t value() const { return hash_; }

private:
    void addByte(unsigned char byte) { hash_ = (hash_ ^ byte) * 0x100000001B3u; }

    std::uint64_t hash_ = 0xCBF29CE484222325u;
};
