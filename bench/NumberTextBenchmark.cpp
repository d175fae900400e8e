// ns per text read and per value printed, on each of the number text's paths:
//   build/bench/bench/number_text_benchmark
#include "NumberText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_Read(benchmark::State& state, const std::string& text) {
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(readDecimalNumber(text.c_str()));
    }
}

void BM_Print(benchmark::State& state, double value) {
    char buffer[100];
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(value);
        formatSixDecimals(value, buffer, sizeof buffer);
        benchmark::DoNotOptimize(buffer);
    }
}

// A field's usual text, one IEEE operation; a long integer, multiplied up; a long fraction,
// divided; more digits than are kept, sticky.
BENCHMARK_CAPTURE(BM_Read, Coordinate, std::string("113.545324"));
BENCHMARK_CAPTURE(BM_Read, LongInteger, std::string(300, '7'));
BENCHMARK_CAPTURE(BM_Read, LongFraction, "0." + std::string(300, '3'));
BENCHMARK_CAPTURE(BM_Read, BeyondTheKeptDigits, "0." + std::string(900, '3') + "1e-5");

// A coordinate, rounded in millionths; a subnormal, shifted beyond its bits; a large integer in
// fixed point; one too long for it, in the shortest exponent form.
BENCHMARK_CAPTURE(BM_Print, Coordinate, 23.515146);
BENCHMARK_CAPTURE(BM_Print, Subnormal, 4.9406564584124654e-324);
BENCHMARK_CAPTURE(BM_Print, LargeInteger, 1.2345678901234567e80);
BENCHMARK_CAPTURE(BM_Print, ShortestExponentForm, 1.2345678901234567e300);

} // namespace

BENCHMARK_MAIN();
