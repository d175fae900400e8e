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

// What a window of another process shows only inside that process, read there by the probe DLL.
struct InsideView {
    bool hasSystemMenu;
    std::vector<MenuItem> systemMenu;
    ULONG64 bigIcon;
    ULONG64 smallIcon;
};

// Nothing if the copy did not arrive in time.
std::optional<InsideView> readInsideView(HWND window);
