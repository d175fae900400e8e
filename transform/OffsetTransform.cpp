#include "OffsetTransform.h"
#include "OffsetTransformForTests.h"

#include <cmath>

bool isInOffsetRegion(double longitude, double latitude) {
    if (longitude < 72.004) {
        return false;
    }
    if (longitude > 137.8347) {
        return false;
    }
    if (latitude < 0.8293) {
        return false;
    }
    if (latitude > 55.8271) {
        return false;
    }
    return true;
}

namespace {

// Each series adds three groups of two sine terms, weighted by 2/3. The doubling and the real
// division by 3.0 are kept apart: folding them into a multiplication by 2/3 changes the last bit.
double sineGroup(double firstTerm, double secondTerm) {
    const double sum = firstTerm + secondTerm;
    const double doubled = sum + sum;
    return doubled / 3.0;
}

// What the two series have in common, so that toMapCoordinates computes it once: the compiler
// does not share terms between the two series' functions. The helpers are inline so that -O2,
// too, expands them into toMapCoordinates rather than calling them.
struct CommonTerms {
    double x;
    double y;
    double crossTerm;  // (0.1 * x) * y
    double rootOfX;    // sqrt(|x|)
    double firstGroup; // the sine group of 6x and 2x
};

inline CommonTerms commonTerms(double x, double y) {
    return {x, y, (0.1 * x) * y, std::sqrt(std::fabs(x)),
            sineGroup(std::sin((x * 6.0) * kPi) * 20.0, std::sin((x + x) * kPi) * 20.0)};
}

inline double latitudeSeries(const CommonTerms& t) {
    const double x = t.x;
    const double y = t.y;
    double p = ((x + x) - 100.0) + (3.0 * y);
    p = p + ((0.2 * y) * y);
    p = p + t.crossTerm;
    p = p + (t.rootOfX * 0.2);
    p = p + t.firstGroup;
    p = p + sineGroup(std::sin((y / 3.0) * kPi) * 40.0, std::sin(y * kPi) * 20.0);
    // Unlike its twin in longitudeSeries, this 30.0 term multiplies by pi before it divides.
    p = p + sineGroup(std::sin((y / 12.0) * kPi) * 160.0, std::sin((y * kPi) / 30.0) * 320.0);
    return p;
}

inline double longitudeSeries(const CommonTerms& t) {
    const double x = t.x;
    const double y = t.y;
    double p = (300.0 + x) + (y + y);
    p = p + ((0.1 * x) * x);
    p = p + t.crossTerm;
    p = p + (t.rootOfX * 0.1);
    p = p + t.firstGroup;
    p = p + sineGroup(std::sin((x / 3.0) * kPi) * 40.0, std::sin(x * kPi) * 20.0);
    p = p + sineGroup(std::sin((x / 12.0) * kPi) * 150.0, std::sin((x / 30.0) * kPi) * 300.0);
    return p;
}

} // namespace

double latitudeShift(double x, double y) {
    return latitudeSeries(commonTerms(x, y));
}

double longitudeShift(double x, double y) {
    return longitudeSeries(commonTerms(x, y));
}

void toMapCoordinates(double trueLatitude, double trueLongitude, double& mapLatitude,
                      double& mapLongitude) {
    if (!isInOffsetRegion(trueLongitude, trueLatitude)) {
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
    const CommonTerms terms = commonTerms(x, y);

    // Metres to degrees: 180 / pi over the meridian radius of curvature a(1 - e^2) / m^(3/2).
    // 6335552.717000426 is kSemiMajorAxis * (1.0 - kEccentricitySquared) rounded to double.
    const double northMetres = latitudeSeries(terms) * 180.0;
    const double meridianDivisor = (6335552.717000426 / (sqrtM * m)) * kPi;
    mapLatitude = (northMetres / meridianDivisor) + trueLatitude;

    // ... and over the radius of the parallel a cos(theta) / m^(1/2).
    const double eastMetres = longitudeSeries(terms) * 180.0;
    const double parallelDivisor = ((kSemiMajorAxis / sqrtM) * std::cos(theta)) * kPi;
    mapLongitude = (eastMetres / parallelDivisor) + trueLongitude;
}

int toTrueCoordinatesCountingPasses(double mapLatitude, double mapLongitude, double& trueLatitude,
                                    double& trueLongitude) {
    // An infinite coordinate is outside the region, and NaN never satisfies the exit test.
    if (!std::isfinite(mapLatitude) || !std::isfinite(mapLongitude)) {
        trueLatitude = mapLatitude;
        trueLongitude = mapLongitude;
        return 0;
    }

    double forwardLatitude;
    double forwardLongitude;
    toMapCoordinates(mapLatitude, mapLongitude, forwardLatitude, forwardLongitude);
    double latitude = mapLatitude - (forwardLatitude - mapLatitude);
    double longitude = mapLongitude - (forwardLongitude - mapLongitude);

    for (int pass = 1; pass <= kMaxCorrectionPasses; ++pass) {
        double imageLatitude;
        double imageLongitude;
        toMapCoordinates(latitude, longitude, imageLatitude, imageLongitude);
        const double latitudeResidual = mapLatitude - imageLatitude;
        const double longitudeResidual = mapLongitude - imageLongitude;
        // The correction is applied on the last pass too: the result is one step beyond the
        // estimate whose residuals passed the test.
        latitude = latitude + latitudeResidual;
        longitude = longitude + longitudeResidual;
        if (std::fabs(latitudeResidual) < 1e-7 && std::fabs(longitudeResidual) < 1e-7) {
            trueLatitude = latitude;
            trueLongitude = longitude;
            return pass;
        }
    }

    // No true point maps here: the estimate alternates between the map point and the map point
    // minus its offset, which lies outside the region. Outside, map and true coordinates
    // coincide, so the map point itself is the answer least likely to mislead.
    trueLatitude = mapLatitude;
    trueLongitude = mapLongitude;
    return kMaxCorrectionPasses;
}

void toTrueCoordinates(double mapLatitude, double mapLongitude, double& trueLatitude,
                       double& trueLongitude) {
    toTrueCoordinatesCountingPasses(mapLatitude, mapLongitude, trueLatitude, trueLongitude);
}
