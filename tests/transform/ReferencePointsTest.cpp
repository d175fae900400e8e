#include "Bits.h"
#include "OffsetTransformForTests.h"
#include "SixDecimals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct ReferencePoint {
    std::uint64_t latitude;
    std::uint64_t longitude;
    std::uint64_t mapLatitude;
    std::uint64_t mapLongitude;
    std::uint64_t trueLatitude;
    std::uint64_t trueLongitude;
    int passes;
    const char* mapLatitudeText;
    const char* mapLongitudeText;
    const char* trueLatitudeText;
    const char* trueLongitudeText;
};

// The same table is checked by the Linux and the Windows build: both must give these doubles.
const ReferencePoint kReferencePoints[] = {
#include "ReferencePoints.inc"
};

TEST(ReferencePoints, BothDirectionsGiveTheRecordedBitsAndTexts) {
    ASSERT_GE(sizeof kReferencePoints / sizeof kReferencePoints[0], 300u);
    for (const ReferencePoint& p : kReferencePoints) {
        const double latitude = fromBits(p.latitude);
        const double longitude = fromBits(p.longitude);
        SCOPED_TRACE(testing::Message() << latitude << ", " << longitude);

        double mapLatitude;
        double mapLongitude;
        toMapCoordinates(latitude, longitude, mapLatitude, mapLongitude);
        EXPECT_EQ(bitsOf(mapLatitude), p.mapLatitude);
        EXPECT_EQ(bitsOf(mapLongitude), p.mapLongitude);
        EXPECT_EQ(sixDecimals(mapLatitude), p.mapLatitudeText);
        EXPECT_EQ(sixDecimals(mapLongitude), p.mapLongitudeText);

        double trueLatitude;
        double trueLongitude;
        EXPECT_EQ(toTrueCoordinatesCountingPasses(latitude, longitude, trueLatitude, trueLongitude),
                  p.passes);
        EXPECT_EQ(bitsOf(trueLatitude), p.trueLatitude);
        EXPECT_EQ(bitsOf(trueLongitude), p.trueLongitude);
        EXPECT_EQ(sixDecimals(trueLatitude), p.trueLatitudeText);
        EXPECT_EQ(sixDecimals(trueLongitude), p.trueLongitudeText);
    }
}

} // namespace
