#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

// Random input for the robustness suites. Every run draws from one seed: a fixed one, or the
// value of VARNIK_TEST_SEED, so that a failure can be repeated exactly.

constexpr char kSeedVariable[] = "VARNIK_TEST_SEED";

// The seed of this run; the first call prints it.
std::uint64_t testSeed();

inline bool oneIn(std::mt19937_64& random, int n) {
    return std::uniform_int_distribution<int>(1, n)(random) == 1;
}

// Texts that a user could type or paste into an input field, or another program could set there:
// numbers inside and outside the offset region, and everything that is not quite a number. The
// kind names the family a text was drawn from, for failure messages.
struct FieldText {
    const char* kind;
    std::wstring text;
};

// Which field a text is meant for: the numbers drawn near the offset region fall in that
// coordinate's range, so that both fields of a group often hold a point inside the region.
enum class Axis { Longitude, Latitude };

FieldText randomFieldText(std::mt19937_64& random, Axis axis);

// A message parameter whose low 16 bits are given and whose other bits (the upper 16 of the low
// 32, and the upper 32) are random, or now and then all clear.
WPARAM withRandomUpperBits(std::mt19937_64& random, WORD low);

// The text in the ANSI code page, as a program's narrow text functions see it.
std::string ansiBytesOf(const std::wstring& text);

// A text for a failure message: printable ASCII as it is, everything else as \uXXXX, and the
// middle of a long text left out.
std::string printable(const std::wstring& text, std::size_t maxCharacters = 240);
