#pragma once

#include <windows.h>

// What the tests know of Varnik's windows from the outside: ids, the About command, texts that
// more than one test uses.

constexpr int kCorrectLongitudeIn = 1000;
constexpr int kCorrectLongitudeOut = 1001;
constexpr int kCorrectButton = 1002;
constexpr int kCorrectLatitudeIn = 1003;
constexpr int kCorrectLatitudeOut = 1004;
constexpr int kOffsetLongitudeIn = 1005;
constexpr int kOffsetLongitudeOut = 1006;
constexpr int kOffsetButton = 1007;
constexpr int kOffsetLatitudeIn = 1008;
constexpr int kOffsetLatitudeOut = 1009;

// The eight edit fields, by id.
constexpr int kEditFields[] = {kCorrectLongitudeIn, kCorrectLongitudeOut, kCorrectLatitudeIn,
                               kCorrectLatitudeOut, kOffsetLongitudeIn,   kOffsetLongitudeOut,
                               kOffsetLatitudeIn,   kOffsetLatitudeOut};

// The fields and the button of one group.
struct Group {
    int longitudeIn;
    int latitudeIn;
    int button;
    int latitudeOut;
    int longitudeOut;
};

constexpr Group kCorrection{kCorrectLongitudeIn, kCorrectLatitudeIn, kCorrectButton,
                            kCorrectLatitudeOut, kCorrectLongitudeOut};
constexpr Group kOffset{kOffsetLongitudeIn, kOffsetLatitudeIn, kOffsetButton, kOffsetLatitudeOut,
                        kOffsetLongitudeOut};

// The system-menu command that opens the About box; the low four bits are the system's.
constexpr UINT kAboutCommand = 0x0010;
// The string-table entry of its text.
constexpr UINT kAboutEntryString = 101;
