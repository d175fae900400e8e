#pragma once

#include "NumberText.h"
#include "OffsetTransform.h"
#include "resource.h"

#include <cstddef>

// The commands behind the main dialog's two buttons. They need three operations of the window
// and nothing else: dialog.GetDlgItem(id) reaches a field, and the field's
// GetWindowText(buffer, size) and SetWindowText(text) read and replace its narrow text. The
// program's dialog runs them on its real window; the tests run them on a fake one.

// Size of the one text buffer a command uses for all its field reads and writes: at most 99 bytes
// of a field's text take part, and every printed value fits with its NUL.
constexpr std::size_t kFieldTextSize = 100;
static_assert(kFieldTextSize >= kSixDecimalsMinimumSize);

using CoordinateTransform = void (*)(double latitude, double longitude, double& latitudeOut,
                                     double& longitudeOut);

// A read that fails need not write the buffer: the field then reads as an empty text, 0, and not
// as what the buffer held, the other field's text among it.
template <class Dialog>
double readField(Dialog& dialog, int id, char (&buffer)[kFieldTextSize]) {
    buffer[0] = '\0';
    dialog.GetDlgItem(id).GetWindowText(buffer, static_cast<int>(kFieldTextSize));
    return readDecimalNumber(buffer);
}

// Reads the longitude before the latitude and writes the latitude before the longitude, all
// through one buffer, so at most 99 bytes of each input field take part.
template <class Dialog>
void convertFields(Dialog& dialog, int longitudeIn, int latitudeIn, CoordinateTransform transform,
                   int latitudeOut, int longitudeOut) {
    char buffer[kFieldTextSize] = {};
    const double longitude = readField(dialog, longitudeIn, buffer);
    const double latitude = readField(dialog, latitudeIn, buffer);

    double convertedLatitude;
    double convertedLongitude;
    transform(latitude, longitude, convertedLatitude, convertedLongitude);

    formatSixDecimals(convertedLatitude, buffer, kFieldTextSize);
    dialog.GetDlgItem(latitudeOut).SetWindowText(buffer);
    formatSixDecimals(convertedLongitude, buffer, kFieldTextSize);
    dialog.GetDlgItem(longitudeOut).SetWindowText(buffer);
}

// "加偏": true coordinates in the offset group become map coordinates.
template <class Dialog>
void addOffset(Dialog& dialog) {
    convertFields(dialog, IDC_OFFSET_LON_IN, IDC_OFFSET_LAT_IN, toMapCoordinates,
                  IDC_OFFSET_LAT_OUT, IDC_OFFSET_LON_OUT);
}

// "纠偏": map coordinates in the correction group become true coordinates.
template <class Dialog>
void correctOffset(Dialog& dialog) {
    convertFields(dialog, IDC_CORRECT_LON_IN, IDC_CORRECT_LAT_IN, toTrueCoordinates,
                  IDC_CORRECT_LAT_OUT, IDC_CORRECT_LON_OUT);
}
