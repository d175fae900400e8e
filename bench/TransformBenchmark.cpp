// ns per point of the two conversions, each next to the same formulas written out inline, and of
// a whole command (read, convert, print):
//   build/bench/bench/transform_benchmark
#include "NumberText.h"
#include "OffsetTransform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
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

// The forward transform written out in one function, each series computing every one of its terms
// itself: the compiler sees both series at once and shares what it can. The library's
// toMapCoordinates should be no slower.
void inlinedToMapCoordinates(double trueLatitude, double trueLongitude, double& mapLatitude,
                             double& mapLongitude) {
    if (trueLongitude < 72.004 || trueLongitude > 137.8347 || trueLatitude < 0.8293 ||
        trueLatitude > 55.8271) {
        mapLatitude = trueLatitude;
        mapLongitude = trueLongitude;
        return;
    }
    const double theta = (trueLatitude / 180.0) * kPi;
    const double sinTheta = std::sin(theta);
    const double m = 1.0 - ((kEccentricitySquared * sinTheta) * sinTheta);
    const double sqrtM = std::sqrt(m);
    const double y = trueLatitude - 35.0;
    const double x = trueLongitude - 105.0;

    double north = ((x + x) - 100.0) + (3.0 * y);
    north = north + ((0.2 * y) * y);
    north = north + ((0.1 * x) * y);
    north = north + (std::sqrt(std::fabs(x)) * 0.2);
    const double north1 = (std::sin((x * 6.0) * kPi) * 20.0) + (std::sin((x + x) * kPi) * 20.0);
    north = north + ((north1 + north1) / 3.0);
    const double north2 = (std::sin((y / 3.0) * kPi) * 40.0) + (std::sin(y * kPi) * 20.0);
    north = north + ((north2 + north2) / 3.0);
    const double north3 =
        (std::sin((y / 12.0) * kPi) * 160.0) + (std::sin((y * kPi) / 30.0) * 320.0);
    north = north + ((north3 + north3) / 3.0);
    mapLatitude = ((north * 180.0) / ((6335552.717000426 / (sqrtM * m)) * kPi)) + trueLatitude;

    double east = (300.0 + x) + (y + y);
    east = east + ((0.1 * x) * x);
    east = east + ((0.1 * x) * y);
    east = east + (std::sqrt(std::fabs(x)) * 0.1);
    const double east1 = (std::sin((x * 6.0) * kPi) * 20.0) + (std::sin((x + x) * kPi) * 20.0);
    east = east + ((east1 + east1) / 3.0);
    const double east2 = (std::sin((x / 3.0) * kPi) * 40.0) + (std::sin(x * kPi) * 20.0);
    east = east + ((east2 + east2) / 3.0);
    const double east3 =
        (std::sin((x / 12.0) * kPi) * 150.0) + (std::sin((x / 30.0) * kPi) * 300.0);
    east = east + ((east3 + east3) / 3.0);
    mapLongitude =
        ((east * 180.0) / (((kSemiMajorAxis / sqrtM) * std::cos(theta)) * kPi)) + trueLongitude;
}

// The library's correction over inlinedToMapCoordinates.
void inlinedToTrueCoordinates(double mapLatitude, double mapLongitude, double& trueLatitude,
                              double& trueLongitude) {
    trueLatitude = mapLatitude;
    trueLongitude = mapLongitude;
    if (!std::isfinite(mapLatitude) || !std::isfinite(mapLongitude)) {
        return;
    }
    double forwardLatitude;
    double forwardLongitude;
    inlinedToMapCoordinates(mapLatitude, mapLongitude, forwardLatitude, forwardLongitude);
    double latitude = mapLatitude - (forwardLatitude - mapLatitude);
    double longitude = mapLongitude - (forwardLongitude - mapLongitude);
    for (int pass = 1; pass <= kMaxCorrectionPasses; ++pass) {
        double imageLatitude;
        double imageLongitude;
        inlinedToMapCoordinates(latitude, longitude, imageLatitude, imageLongitude);
        const double latitudeResidual = mapLatitude - imageLatitude;
        const double longitudeResidual = mapLongitude - imageLongitude;
        latitude = latitude + latitudeResidual;
        longitude = longitude + longitudeResidual;
        if (std::fabs(latitudeResidual) < 1e-7 && std::fabs(longitudeResidual) < 1e-7) {
            trueLatitude = latitude;
            trueLongitude = longitude;
            return;
        }
    }
}

using Conversion = void (*)(double, double, double&, double&);

// One conversion over the region's points, one point per iteration.
template <Conversion Convert>
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

// The inlined formulas, timed only if they give the library's bits on every point: otherwise the
// two would not be doing the same work.
template <Conversion Inlined, Conversion Library>
void BM_ConvertRegionPointsInlined(benchmark::State& state) {
    for (const Point& p : regionPoints()) {
        double inlined[2];
        double library[2];
        Inlined(p.latitude, p.longitude, inlined[0], inlined[1]);
        Library(p.latitude, p.longitude, library[0], library[1]);
        if (inlined[0] != library[0] || inlined[1] != library[1]) {
            state.SkipWithError("the inlined formulas and the library give different results");
            return;
        }
    }
    BM_ConvertRegionPoints<Inlined>(state);
}

// Each conversion next to the inlined formulas, for their ratio.
BENCHMARK_TEMPLATE(BM_ConvertRegionPoints, toMapCoordinates)->Name("BM_ToMapCoordinates");
BENCHMARK_TEMPLATE(BM_ConvertRegionPointsInlined, inlinedToMapCoordinates, toMapCoordinates)
    ->Name("BM_ToMapCoordinatesInlinedFormulas");
BENCHMARK_TEMPLATE(BM_ConvertRegionPoints, toTrueCoordinates)->Name("BM_ToTrueCoordinates");
BENCHMARK_TEMPLATE(BM_ConvertRegionPointsInlined, inlinedToTrueCoordinates, toTrueCoordinates)
    ->Name("BM_ToTrueCoordinatesInlinedFormulas");

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
        char buffer[100] = "113.545324";
        const double longitude = readDecimalNumber(buffer);
        const char latitudeText[] = "23.515146";
        const double latitude = readDecimalNumber(latitudeText);
        double trueLatitude;
        double trueLongitude;
        toTrueCoordinates(latitude, longitude, trueLatitude, trueLongitude);
        formatSixDecimals(trueLatitude, buffer, sizeof buffer);
        benchmark::DoNotOptimize(buffer);
        formatSixDecimals(trueLongitude, buffer, sizeof buffer);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_CorrectOffsetCommandText);

} // namespace

BENCHMARK_MAIN();
