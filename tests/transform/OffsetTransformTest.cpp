#include "Bits.h"
#include "OffsetTransformForTests.h"
#include "SixDecimals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Point {
    double latitude;
    double longitude;
};

Point forward(Point in) {
    Point out{};
    toMapCoordinates(in.latitude, in.longitude, out.latitude, out.longitude);
    return out;
}

TEST(OffsetTransform, ConstantsAreTheNamedDoubles) {
    EXPECT_EQ(bitsOf(kEccentricitySquared), 0x3F7B6A8FAF80EF0Bu);
    // The meridian factor is written as a literal in the transform; it must be this product.
    EXPECT_EQ(6335552.717000426, kSemiMajorAxis * (1.0 - kEccentricitySquared));
}

TEST(OffsetTransform, ShiftsAtTheCentreAreExact) {
    EXPECT_EQ(latitudeShift(0.0, 0.0), -100.0);
    EXPECT_EQ(longitudeShift(0.0, 0.0), 300.0);
}

// At the centre every term the two series share is zero; away from it, the bits that each series
// gave when it computed all of its terms itself (x = longitude - 105 first).
TEST(OffsetTransform, ShiftsAwayFromTheCentreGiveTheRecordedBits) {
    struct Case {
        double x;
        double y;
        std::uint64_t latitudeShift;
        std::uint64_t longitudeShift;
    };
    const Case cases[] = {
        {8.540124, -11.482154, 0xC072B0ED70B2F39Au, 0x408098DAC10C5BF6u},
        {-32.5, 20.5, 0x4042030E4A75B39Eu, 0x40725D4F72381B6Eu},
        {32.75, -34.0, 0x4044834A95598377u, 0x40727F07A8664E6Du},
        {-0.375, 0.125, 0xC05A0FA837304427u, 0x406E1D32F20AF228u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(bitsOf(latitudeShift(c.x, c.y)), c.latitudeShift);
        EXPECT_EQ(bitsOf(longitudeShift(c.x, c.y)), c.longitudeShift);
    }
}

// Regression: a compiler that fuses a*b+c into one rounding, or keeps intermediates in a wider
// format, changes the transform's last bits. 1 + 2^-27 squared needs 2^-54 that a double drops.
TEST(OffsetTransform, ArithmeticRoundsEveryOperationToDouble) {
    volatile double a = 1.0 + std::ldexp(1.0, -27);
    volatile double c = -(1.0 + std::ldexp(1.0, -26));
    const double product = a * a;
    EXPECT_EQ(product + c, 0.0);
    EXPECT_EQ(a * a + c, 0.0) << "multiply-add was fused or evaluated in extended precision";
}

TEST(OffsetTransform, DialogFixtureForward) {
    const Point map = forward({23.517846, 113.540124});
    EXPECT_EQ(sixDecimals(map.latitude), "23.515146");
    EXPECT_EQ(sixDecimals(map.longitude), "113.545324");
}

TEST(OffsetTransform, DialogFixtureInverseTakesTwoPasses) {
    double latitude = 0.0;
    double longitude = 0.0;
    EXPECT_EQ(toTrueCoordinatesCountingPasses(23.515146, 113.545324, latitude, longitude), 2);
    EXPECT_EQ(sixDecimals(latitude), "23.517846");
    EXPECT_EQ(sixDecimals(longitude), "113.540124");
}

// The bounds belong to the region; the neighbouring double just outside does not.
TEST(OffsetTransform, RegionBoundsAndTheirNeighbours) {
    struct Case {
        const char* name;
        Point onBound;
        Point justOutside;
    };
    const Case cases[] = {
        {"west", {30.0, 72.004}, {30.0, std::nextafter(72.004, 0.0)}},
        {"east", {30.0, 137.8347}, {30.0, std::nextafter(137.8347, 180.0)}},
        {"south", {0.8293, 100.0}, {std::nextafter(0.8293, 0.0), 100.0}},
        {"north", {55.8271, 100.0}, {std::nextafter(55.8271, 90.0), 100.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(isInOffsetRegion(c.onBound.longitude, c.onBound.latitude));
        EXPECT_FALSE(isInOffsetRegion(c.justOutside.longitude, c.justOutside.latitude));
        const Point shifted = forward(c.onBound);
        EXPECT_NE(shifted.latitude, c.onBound.latitude);
        EXPECT_NE(shifted.longitude, c.onBound.longitude);
        const Point same = forward(c.justOutside);
        EXPECT_EQ(bitsOf(same.latitude), bitsOf(c.justOutside.latitude));
        EXPECT_EQ(bitsOf(same.longitude), bitsOf(c.justOutside.longitude));
    }
}

// Outside the region both directions hand the point back to the bit: the forward transform at
// once, the inverse after one pass (or none, for the non-finite ones).
TEST(OffsetTransform, PointsOutsideComeBackUnchanged) {
    struct Case {
        Point point;
        int passes;
    };
    const Case cases[] = {
        {{10.0, 10.0}, 1},       {{0.0, 0.0}, 1},
        {{-10.0, 100.0}, 1},     {{89.999, 179.5}, 1},
        {{-45.5, 113.5}, 1},     {{30.0, -113.5}, 1},
        {{1e300, 100.0}, 1},     {{-1e300, -1e300}, 1},
        {{4.9e-324, 100.0}, 1},  {{kInfinity, 100.0}, 0},
        {{30.0, kInfinity}, 0},  {{-kInfinity, 100.0}, 0},
        {{30.0, -kInfinity}, 0}, {{kInfinity, -kInfinity}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.latitude << ", " << c.point.longitude);
        const Point map = forward(c.point);
        EXPECT_EQ(bitsOf(map.latitude), bitsOf(c.point.latitude));
        EXPECT_EQ(bitsOf(map.longitude), bitsOf(c.point.longitude));
        Point back{};
        EXPECT_EQ(toTrueCoordinatesCountingPasses(c.point.latitude, c.point.longitude,
                                                  back.latitude, back.longitude),
                  c.passes);
        EXPECT_EQ(bitsOf(back.latitude), bitsOf(c.point.latitude));
        EXPECT_EQ(bitsOf(back.longitude), bitsOf(c.point.longitude));
    }
}

// The iteration's arithmetic (-0 - (-0 - -0) + (-0 - -0)) turns a negative zero into +0: the
// correction keeps that, like every other bit of the iteration's result.
TEST(OffsetTransform, CorrectingNegativeZeroGivesZero) {
    Point back{};
    EXPECT_EQ(toTrueCoordinatesCountingPasses(-0.0, -0.0, back.latitude, back.longitude), 1);
    EXPECT_EQ(bitsOf(back.latitude), bitsOf(0.0));
    EXPECT_EQ(bitsOf(back.longitude), bitsOf(0.0));
    const Point map = forward({-0.0, -0.0});
    EXPECT_EQ(bitsOf(map.latitude), bitsOf(-0.0));
}

TEST(OffsetTransform, NaNPassesTheRegionTestAndSpreadsOnlyInside) {
    EXPECT_TRUE(isInOffsetRegion(kNaN, 30.0));
    EXPECT_TRUE(isInOffsetRegion(100.0, kNaN));

    const Point inside = forward({kNaN, 100.0});
    EXPECT_TRUE(std::isnan(inside.latitude));
    EXPECT_TRUE(std::isnan(inside.longitude));

    const Point outside = forward({kNaN, 10.0});
    EXPECT_TRUE(std::isnan(outside.latitude));
    EXPECT_EQ(outside.longitude, 10.0);
}

// The iteration alone would never end for these; the correction must, with the input unchanged.
TEST(OffsetTransform, CorrectionEndsWhereNoTruePointExists) {
    struct Case {
        const char* name;
        Point map;
        int passes;
    };
    const Case cases[] = {
        {"western band", {30.0, 72.0045}, kMaxCorrectionPasses},
        {"western band, far north", {55.0, 72.005}, kMaxCorrectionPasses},
        {"western band, on the bound", {20.0, 72.004}, kMaxCorrectionPasses},
        {"southern band", {0.8295, 100.0}, kMaxCorrectionPasses},
        {"southern band, east", {0.8297, 130.0}, kMaxCorrectionPasses},
        {"south-west corner", {0.8294, 72.0041}, kMaxCorrectionPasses},
        {"NaN latitude", {kNaN, 100.0}, 0},
        {"NaN longitude", {30.0, kNaN}, 0},
        {"NaN longitude outside", {70.0, kNaN}, 0},
        {"both NaN", {kNaN, kNaN}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Point back{};
        EXPECT_EQ(toTrueCoordinatesCountingPasses(c.map.latitude, c.map.longitude, back.latitude,
                                                  back.longitude),
                  c.passes);
        EXPECT_EQ(bitsOf(back.latitude), bitsOf(c.map.latitude));
        EXPECT_EQ(bitsOf(back.longitude), bitsOf(c.map.longitude));
    }
}

// Well inside the region the correction undoes the offset to far better than its 1e-7 tolerance.
TEST(OffsetTransform, RoundTripsWellInsideTheRegion) {
    for (double latitude = 2.0; latitude <= 55.0; latitude += 0.75) {
        for (double longitude = 73.5; longitude <= 137.0; longitude += 0.8) {
            const Point map = forward({latitude, longitude});
            Point back{};
            const int passes = toTrueCoordinatesCountingPasses(map.latitude, map.longitude,
                                                               back.latitude, back.longitude);
            SCOPED_TRACE(testing::Message() << latitude << ", " << longitude);
            EXPECT_GE(passes, 1);
            EXPECT_LE(passes, 3);
            EXPECT_NEAR(back.latitude, latitude, 1e-9);
            EXPECT_NEAR(back.longitude, longitude, 1e-9);
        }
    }
}

// The offset points east and north, so near the eastern and northern bounds a true point's map
// point can leave the region: correcting it then gives the map point back, not the true point.
TEST(OffsetTransform, MapPointsPushedOutOfTheRegionStayThere) {
    const Point east = forward({30.0, 137.834});
    ASSERT_GT(east.longitude, 137.8347);
    Point back{};
    EXPECT_EQ(toTrueCoordinatesCountingPasses(east.latitude, east.longitude, back.latitude,
                                              back.longitude),
              1);
    EXPECT_EQ(bitsOf(back.longitude), bitsOf(east.longitude));

    const Point north = forward({55.827, 120.0});
    ASSERT_GT(north.latitude, 55.8271);
    EXPECT_EQ(toTrueCoordinatesCountingPasses(north.latitude, north.longitude, back.latitude,
                                              back.longitude),
              1);
    EXPECT_EQ(bitsOf(back.latitude), bitsOf(north.latitude));
}

TEST(OffsetTransform, MapPointsJustInsideTheEasternAndNorthernBoundsAreCorrected) {
    const Point maps[] = {{30.0, 137.8346}, {45.0, 137.83}, {55.827, 120.0}, {55.82, 80.0}};
    for (const Point& map : maps) {
        SCOPED_TRACE(testing::Message() << map.latitude << ", " << map.longitude);
        Point back{};
        const int passes = toTrueCoordinatesCountingPasses(map.latitude, map.longitude,
                                                           back.latitude, back.longitude);
        EXPECT_GE(passes, 2);
        EXPECT_LE(passes, 3);
        const Point again = forward(back);
        EXPECT_NEAR(again.latitude, map.latitude, 1e-9);
        EXPECT_NEAR(again.longitude, map.longitude, 1e-9);
    }
}

} // namespace
