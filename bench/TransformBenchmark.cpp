// ns per point of the two conversions and of a whole command (read, convert, print):
//   build/bench/bench/transform_benchmark
#include "NumberText.h"
#include "OffsetTransform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

struct Point {
    double latitude;
    double longitude;
};

// Random points of the offset region, the same in every run.
const std::vector<Point>& regionPoints() {
    static const std::vector<Point> points = [] {
        std::mt19937_64 random(20131007u);
        std::uniform_real_distribution<double> latitudes(0.8293, 55.8271);
        std::uniform_real_distribution<double> longitudes(72.004, 137.8347);
        std::vector<Point> result(4096);
        std::generate(result.begin(), result.end(), [&] {
            return Point{latitudes(random), longitudes(random)};
        });
        return result;
    }();
    return points;
}

// One conversion over the region's points, one point per iteration.
template <void (*Convert)(double, double, double&, double&)>
void BM_ConvertRegionPoints(benchmark::State& state) {
    const std::vector<Point>& points = regionPoints();
    std::size_t i = 0;
    for ([[maybe_unused]] auto _ : state) {
        const Point& p = points[i++ % points.size()];
        double latitude;
        double longitude;
        Convert(p.latitude, p.longitude, latitude, longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(longitude);
    }
}
BENCHMARK_TEMPLATE(BM_ConvertRegionPoints, toMapCoordinates)->Name("BM_ToMapCoordinates");
BENCHMARK_TEMPLATE(BM_ConvertRegionPoints, toTrueCoordinates)->Name("BM_ToTrueCoordinates");

// The worst case: a map point with no true counterpart runs until the bound stops it.
void BM_ToTrueCoordinatesInTheWesternBand(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        double latitude;
        double longitude;
        toTrueCoordinates(30.0, 72.0045, latitude, longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(longitude);
    }
}
BENCHMARK(BM_ToTrueCoordinatesInTheWesternBand);

// What one click costs apart from the window: read two texts, correct, print two results.
void BM_CorrectOffsetCommandText(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        char buffer[kFieldTextSize] = "113.545324";
        const double longitude = readDecimalNumber(buffer);
        const char latitudeText[] = "23.515146";
        const double latitude = readDecimalNumber(latitudeText);
        double trueLatitude;
        double trueLongitude;
        toTrueCoordinates(latitude, longitude, trueLatitude, trueLongitude);
        formatSixDecimals(trueLatitude, buffer);
        benchmark::DoNotOptimize(buffer);
        formatSixDecimals(trueLongitude, buffer);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_CorrectOffsetCommandText);

} // namespace

BENCHMARK_MAIN();
