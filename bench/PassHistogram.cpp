// Measures the correction over random map points of the offset region: the histogram of its pass
// counts, that its result is bit for bit the unbounded iteration's wherever that iteration ends,
// that the iteration ends for none of the points stopped by the bound, and how closely the
// correction undoes the offset:
//   build/bench/bench/pass_histogram [points] [seed]
#include "OffsetTransformForTests.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// The iteration without a bound on its passes (capped here only so that the tool ends): the
// reference that the correction must match wherever it converges. Returns 0 when capped.
long unboundedPasses(double mapLatitude, double mapLongitude, double& latitude, double& longitude) {
    double forwardLatitude;
    double forwardLongitude;
    toMapCoordinates(mapLatitude, mapLongitude, forwardLatitude, forwardLongitude);
    latitude = mapLatitude - (forwardLatitude - mapLatitude);
    longitude = mapLongitude - (forwardLongitude - mapLongitude);
    for (long pass = 1; pass <= 100000; ++pass) {
        double imageLatitude;
        double imageLongitude;
        toMapCoordinates(latitude, longitude, imageLatitude, imageLongitude);
        const double latitudeResidual = mapLatitude - imageLatitude;
        const double longitudeResidual = mapLongitude - imageLongitude;
        latitude = latitude + latitudeResidual;
        longitude = longitude + longitudeResidual;
        if (std::fabs(latitudeResidual) < 1e-7 && std::fabs(longitudeResidual) < 1e-7) {
            return pass;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const long points = argc > 1 ? std::atol(argv[1]) : 1000000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 20131007u;
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> latitudes(0.8293, 55.8271);
    std::uniform_real_distribution<double> longitudes(72.004, 137.8347);

    long histogram[kMaxCorrectionPasses + 1] = {};
    long differences = 0;
    long stoppedThoughConverging = 0;
    long stoppedWithEstimateOutside = 0;
    double worstRoundTrip = 0.0;
    for (long i = 0; i < points; ++i) {
        const double mapLatitude = latitudes(random);
        const double mapLongitude = longitudes(random);
        double latitude;
        double longitude;
        const int passes =
            toTrueCoordinatesCountingPasses(mapLatitude, mapLongitude, latitude, longitude);
        ++histogram[passes];

        double referenceLatitude;
        double referenceLongitude;
        const long referencePasses =
            unboundedPasses(mapLatitude, mapLongitude, referenceLatitude, referenceLongitude);
        if (passes == kMaxCorrectionPasses) {
            if (referencePasses != 0) {
                ++stoppedThoughConverging;
            }
            double forwardLatitude;
            double forwardLongitude;
            toMapCoordinates(mapLatitude, mapLongitude, forwardLatitude, forwardLongitude);
            if (!isInOffsetRegion(mapLongitude - (forwardLongitude - mapLongitude),
                                  mapLatitude - (forwardLatitude - mapLatitude))) {
                ++stoppedWithEstimateOutside;
            }
            continue;
        }
        if (referencePasses != passes || referenceLatitude != latitude ||
            referenceLongitude != longitude) {
            ++differences;
        }
        double imageLatitude;
        double imageLongitude;
        toMapCoordinates(latitude, longitude, imageLatitude, imageLongitude);
        worstRoundTrip = std::max({worstRoundTrip, std::fabs(imageLatitude - mapLatitude),
                                   std::fabs(imageLongitude - mapLongitude)});
    }

    std::printf("%ld random map points in the offset region, seed %u\n", points, seed);
    std::printf("passes  points\n");
    for (int passes = 0; passes <= kMaxCorrectionPasses; ++passes) {
        if (histogram[passes] != 0) {
            std::printf("%6d  %ld%s\n", passes, histogram[passes],
                        passes == kMaxCorrectionPasses ? "  (stopped by the bound)" : "");
        }
    }
    std::printf("converged points whose result or pass count differs from the unbounded "
                "iteration: %ld\n",
                differences);
    std::printf("stopped points for which the unbounded iteration ends within 100000 passes: %ld\n",
                stoppedThoughConverging);
    std::printf("stopped points whose first estimate lies outside the region: %ld of %ld\n",
                stoppedWithEstimateOutside, histogram[kMaxCorrectionPasses]);
    std::printf("largest |forward(result) - map point| where it converged: %.3g degree\n",
                worstRoundTrip);
    return differences == 0 && stoppedThoughConverging == 0 ? 0 : 1;
}
