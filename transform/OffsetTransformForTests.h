#pragma once

#include "OffsetTransform.h"

// The transform's parts, as the tests, the fuzz targets and the benchmarks see them; the program
// needs only OffsetTransform.h.

// The northward shift in metres, x = longitude - 105, y = latitude - 35 (degrees).
double latitudeShift(double x, double y);

// The eastward shift in metres, x = longitude - 105, y = latitude - 35 (degrees).
double longitudeShift(double x, double y);

// toTrueCoordinates, also returning how many passes the iteration made: 0 for non-finite input,
// kMaxCorrectionPasses when it was stopped by the bound.
int toTrueCoordinatesCountingPasses(double mapLatitude, double mapLongitude, double& trueLatitude,
                                    double& trueLongitude);
