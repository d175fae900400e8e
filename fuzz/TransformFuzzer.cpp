// Both directions of the transform on any two doubles, every bit pattern included.
#include "Bits.h"
#include "FuzzCheck.h"
#include "OffsetTransformForTests.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Further than any offset the region has (below 0.02 degree).
constexpr double kLargestOffset = 0.1;
// Map points this far inside every bound have a true counterpart, clear of the bands just inside
// the western and southern bounds that have none.
constexpr double kWellInside = 0.05;
// A converged correction is far closer than its 1e-7 exit tolerance.
constexpr double kRoundTripTolerance = 1e-8;

bool sameBits(double a, double b) {
    return bitsOf(a) == bitsOf(b);
}

// The iteration's arithmetic turns -0 into +0; every other bit comes back as it went in.
bool sameBitsButSignOfZero(double result, double input) {
    return sameBits(result, input) || (input == 0.0 && sameBits(result, 0.0));
}

bool isWellInside(double latitude, double longitude) {
    return isInOffsetRegion(longitude - kWellInside, latitude - kWellInside) &&
           isInOffsetRegion(longitude + kWellInside, latitude + kWellInside);
}

void checkForward(double latitude, double longitude) {
    double mapLatitude;
    double mapLongitude;
    toMapCoordinates(latitude, longitude, mapLatitude, mapLongitude);
    if (!isInOffsetRegion(longitude, latitude)) {
        check(sameBits(mapLatitude, latitude) && sameBits(mapLongitude, longitude),
              "outside the region the forward transform returns the point unchanged");
    } else if (std::isnan(latitude) || std::isnan(longitude)) {
        check(std::isnan(mapLatitude) && std::isnan(mapLongitude),
              "NaN inside the region gives NaN in both components");
    } else {
        check(std::fabs(mapLatitude - latitude) < kLargestOffset &&
                  std::fabs(mapLongitude - longitude) < kLargestOffset,
              "inside the region the forward transform shifts by a small finite offset");
    }
}

void checkInverse(double mapLatitude, double mapLongitude) {
    double latitude;
    double longitude;
    const int passes =
        toTrueCoordinatesCountingPasses(mapLatitude, mapLongitude, latitude, longitude);
    check(passes >= 0 && passes <= kMaxCorrectionPasses, "the correction ends within its bound");

    if (!std::isfinite(mapLatitude) || !std::isfinite(mapLongitude)) {
        check(passes == 0 && sameBits(latitude, mapLatitude) && sameBits(longitude, mapLongitude),
              "a non-finite map point comes back unchanged at once");
        return;
    }
    if (!isInOffsetRegion(mapLongitude, mapLatitude)) {
        check(passes == 1 && sameBitsButSignOfZero(latitude, mapLatitude) &&
                  sameBitsButSignOfZero(longitude, mapLongitude),
              "outside the region the correction returns the point unchanged after one pass");
        return;
    }
    if (passes == kMaxCorrectionPasses) {
        check(sameBits(latitude, mapLatitude) && sameBits(longitude, mapLongitude),
              "a correction stopped by the bound returns the map point");
    }
    check(std::fabs(latitude - mapLatitude) < kLargestOffset &&
              std::fabs(longitude - mapLongitude) < kLargestOffset,
          "the true point lies within a small finite offset of the map point");
    if (isWellInside(mapLatitude, mapLongitude)) {
        check(passes < kMaxCorrectionPasses, "a map point well inside the region is corrected");
        double imageLatitude;
        double imageLongitude;
        toMapCoordinates(latitude, longitude, imageLatitude, imageLongitude);
        check(std::fabs(imageLatitude - mapLatitude) < kRoundTripTolerance &&
                  std::fabs(imageLongitude - mapLongitude) < kRoundTripTolerance,
              "the forward image of the correction is the map point");
    }
}

// Bit patterns rarely fall inside the region, so the same bits also pick a point evenly from a
// box just larger than the region: every run tries the formula and its inverse there too.
double spread(double bitsSource, double low, double high) {
    return low + ((high - low) * (static_cast<double>(bitsOf(bitsSource) >> 11) * 0x1p-53));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The latitude from the first eight bytes, the longitude from the next eight; missing bytes
    // are zero.
    std::uint8_t bytes[2 * sizeof(double)] = {};
    std::memcpy(bytes, data, std::min(size, sizeof bytes));
    double latitude;
    double longitude;
    std::memcpy(&latitude, bytes, sizeof latitude);
    std::memcpy(&longitude, bytes + sizeof latitude, sizeof longitude);

    checkForward(latitude, longitude);
    checkInverse(latitude, longitude);

    const double nearLatitude = spread(latitude, 0.0, 57.0);
    const double nearLongitude = spread(longitude, 71.0, 139.0);
    checkForward(nearLatitude, nearLongitude);
    checkInverse(nearLatitude, nearLongitude);
    return 0;
}
