#pragma once

#include <windows.h>

// What the tests know of Varnik's windows from the outside: ids, the About command, texts that
// more than one test uses, and the templates' sizes in dialog units.

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

// The system-menu command that opens the About box; the low four bits are the system's.
constexpr UINT kAboutCommand = 0x0010;

constexpr SIZE kMainDialogUnits{346, 227};
constexpr SIZE kAboutBoxUnits{170, 62};
constexpr wchar_t kDialogFont[] = L"MS Shell Dlg";
constexpr int kDialogFontPoints = 8;

constexpr wchar_t kMainCaption[] =
    L"纠偏加偏工具（无需联网，无需数据包，零误差，完美离线纠偏加偏）";
constexpr wchar_t kAboutCaption[] = L"About Varnik";
