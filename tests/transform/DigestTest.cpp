// One digest of both conversions' bits over a million points of the region and its
// neighbourhood. Some faults (a folded constant, a regrouped product, x87 intermediates) change
// the last bit of only a few results per million, which the reference table's few hundred points
// miss; every build must give these same digests.
#include "Digest.h"
#include "OffsetTransformForTests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr int kPoints = 1000000;

// The points lie on lattices of dyadic steps, so that every coordinate is an integer times a power
// of two: exact in any floating-point arithmetic, with no platform's random distributions
// involved. Latitudes step by 2^-47 over [0.25, 56.25] and longitudes by 2^-45 over [71.5, 138.5]
// (the steps of doubles near 64 and 256), about half a degree beyond the region on every side.
struct Lattice {
    int exponent;
    double low;
    double high;
};
constexpr Lattice kLatitudes{-47, 0.25, 56.25};
constexpr Lattice kLongitudes{-45, 71.5, 138.5};

// A 64-bit linear congruential sequence (Knuth's MMIX constants); its top 53 bits pick a lattice
// point.
class PointSequence {
public:
    double next(const Lattice& lattice) {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        const auto first = static_cast<std::int64_t>(std::ldexp(lattice.low, -lattice.exponent));
        const auto last = static_cast<std::int64_t>(std::ldexp(lattice.high, -lattice.exponent));
        const auto index = static_cast<std::int64_t>((state_ >> 11) %
                                                     static_cast<std::uint64_t>(last - first + 1));
        return std::ldexp(static_cast<double>(first + index), lattice.exponent);
    }

private:
    std::uint64_t state_ = 20131007;
};

// Should the transform's results be meant to change, the failure messages give the new digests.
TEST(TransformDigest, BothDirectionsOverAMillionPointsGiveTheRecordedBits) {
    PointSequence points;
    Digest inputs;
    Digest forward;
    Digest inverse;
    for (int i = 0; i < kPoints; ++i) {
        const double latitude = points.next(kLatitudes);
        const double longitude = points.next(kLongitudes);
        inputs.add(latitude);
        inputs.add(longitude);

        double mapLatitude;
        double mapLongitude;
        toMapCoordinates(latitude, longitude, mapLatitude, mapLongitude);
        forward.add(mapLatitude);
        forward.add(mapLongitude);

        double trueLatitude;
        double trueLongitude;
        const int passes =
            toTrueCoordinatesCountingPasses(latitude, longitude, trueLatitude, trueLongitude);
        inverse.add(trueLatitude);
        inverse.add(trueLongitude);
        inverse.add(static_cast<std::uint64_t>(passes));
    }
    EXPECT_EQ(inputs.value(), 0xB6171C0FF8F435F5u) << std::hex << "points: 0x" << inputs.value();
    EXPECT_EQ(forward.value(), 0x18829D7321932E28u)
        << std::hex << "toMapCoordinates: 0x" << forward.value();
    EXPECT_EQ(inverse.value(), 0xA714F61A2DF48445u)
        << std::hex << "toTrueCoordinates: 0x" << inverse.value();
}

} // namespace
