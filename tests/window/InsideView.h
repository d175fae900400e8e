#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct MenuItem {
    bool separator;
    UINT id;
    std::wstring text;
};

// A child control's text and how much room it takes in the dialog's font, in pixels.
struct ControlText {
    std::wstring className;
    DWORD style;
    SIZE client;
    SIZE extent; // the text on one line
    bool usesDialogFont;
    std::wstring text;
};

// What a window of another process shows only inside that process, read there by the probe DLL.
struct InsideView {
    bool hasSystemMenu;
    std::vector<MenuItem> systemMenu;
    ULONG64 bigIcon;
    ULONG64 smallIcon;
    int dpi;
    std::vector<ControlText> controls; // the visible ones in z-order: for a dialog, template order
};

// Nothing if the copy did not arrive in time.
std::optional<InsideView> readInsideView(HWND window);
