#pragma once

#include "Win32.h"

// A menu handle lent by the system, such as a window's system menu: a plain value that never
// destroys the menu.
class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}

    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Adds an item at the end; text (ANSI code page) is used by MF_STRING items only.
    bool AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);

    HMENU m_hMenu = nullptr;
};
