#pragma once

#include <windows.h>

#include <string>

// Some things of a window can only be read inside its own process under Wine (the system menu;
// the icons that WM_GETICON returns). A probe DLL, hooked into Varnik's user-interface thread,
// copies them into shared memory when the test asks. This is what both sides agree on.

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

struct InsideViewCopy {
    LONG done; // set last, once the rest is written
    LONG hasSystemMenu;
    LONG menuItemCount; // items copied, at most kMaxMenuItems
    MenuItemCopy menuItems[kMaxMenuItems];
    ULONG64 bigIcon; // WM_GETICON handles, as numbers
    ULONG64 smallIcon;
};

// The shared memory that receives the copy taken in the given process.
inline std::wstring insideViewCopyName(DWORD processId) {
    return L"Local\\VarnikInsideView-" + std::to_wstring(processId);
}
