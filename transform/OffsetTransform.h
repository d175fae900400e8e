#pragma once

// The offset that web maps of mainland China apply to coordinates ("map coordinates"), and its
// inverse. Angles are decimal degrees, east and north positive; latitude always comes first in
// the argument lists of the two conversions, and results come back through output parameters.
//
// Every step is one IEEE double operation in a fixed order: this file must be compiled with
// -ffp-contract=off and without fast-math, or the last bits of the results change.

// pi, the double nearest to it.
constexpr double kPi = 3.141592653589793;
// Semi-major axis a of the Krasovsky 1940 ellipsoid, in metres.
constexpr double kSemiMajorAxis = 6378245.0;
// First eccentricity squared e^2 of the same ellipsoid (bit pattern 3F7B6A8FAF80EF0B).
constexpr double kEccentricitySquared = 0.006693421622965943;

// Upper bound on the passes of the inverse iteration. A map point that has a true counterpart
// converges in at most a few passes; the bound only ends the loop for points that have none.
constexpr int kMaxCorrectionPasses = 16;

// True when the point lies in the longitude/latitude box where the offset applies, bounds
// included. NaN fails every comparison, so it does not by itself put a point outside.
bool isInOffsetRegion(double longitude, double latitude);

// True coordinate -> map coordinate, from a northward and an eastward shift in metres (the terms
// they share computed once for both). Outside the offset region (infinities included) the point
// passes through unchanged to the bit.
void toMapCoordinates(double trueLatitude, double trueLongitude, double& mapLatitude,
                      double& mapLongitude);

// Map coordinate -> true coordinate, by fixed-point iteration of toMapCoordinates until the last
// correction is below 1e-7 degree in both components.
//
// It always ends, and returns the map point unchanged when there is nothing better to give:
// - outside the offset region (one pass, as the iteration itself would give; its arithmetic turns
//   a negative zero into +0);
// - a latitude or longitude that is infinite or NaN (no pass at all);
// - a map point that is the image of no true point: just inside the western and southern
//   bounds the offset carries every true point past the map point, the iteration alternates
//   for ever, and kMaxCorrectionPasses ends it.
void toTrueCoordinates(double mapLatitude, double mapLongitude, double& trueLatitude,
                       double& trueLongitude);
