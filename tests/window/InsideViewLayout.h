#pragma once

#include <windows.h>

#include <string>

// Some things of a window can only be read inside its own process under Wine (the system menu;
// the icons that WM_GETICON returns; how wide its controls' texts come out in its font). A probe
// DLL, hooked into Varnik's user-interface thread, copies them into shared memory when the test
// asks. This is what both sides agree on.

// Posted to the window: the hook copies what it sees of that window when the message is
// retrieved.
constexpr wchar_t kCopyInsideViewMessage[] = L"Varnik.Tests.CopyInsideView";

// Name of the exported hook procedure (a WH_GETMESSAGE hook).
constexpr char kInsideViewHookName[] = "copyInsideViewHook";

constexpr int kMaxMenuItems = 32;
constexpr int kMaxMenuText = 64;

struct MenuItemCopy {
    UINT type; // MFT_ flags
    UINT id;
    wchar_t text[kMaxMenuText];
};

constexpr int kMaxControls = 32;
constexpr int kMaxClassName = 16;
constexpr int kMaxControlText = 128;

// A child control and the extent of its text in the dialog's font, in pixels.
struct ControlTextCopy {
    wchar_t className[kMaxClassName];
    DWORD style;
    LONG clientWidth;
    LONG clientHeight;
    LONG textWidth;
    LONG textHeight;
    LONG usesDialogFont; // the control draws in the font that was measured
    wchar_t text[kMaxControlText];
};

struct InsideViewCopy {
    LONG done; // set last, once the rest is written
    LONG hasSystemMenu;
    LONG menuItemCount; // items copied, at most kMaxMenuItems
    MenuItemCopy menuItems[kMaxMenuItems];
    ULONG64 bigIcon; // WM_GETICON handles, as numbers
    ULONG64 smallIcon;
    LONG dpi;          // the screen's pixels per logical inch, as the program sees them
    LONG controlCount; // visible children copied, in z-order, at most kMaxControls
    ControlTextCopy controls[kMaxControls];
};

// The shared memory that receives the copy taken in the given process.
inline std::wstring insideViewCopyName(DWORD processId) {
    return L"Local\\VarnikInsideView-" + std::to_wstring(processId);
}
