#pragma once

#include "Win32.h"

// A menu lent by the system, such as a window's system menu. The wrapper never destroys it.
class CMenu {
public:
    // The calling thread's wrapper of menu, null for a null handle. Each handle has one wrapper
    // that lives as long as the thread, so the pointer stays valid while a handler uses it.
    static CMenu* FromHandle(HMENU menu);

    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Adds an item at the end; text (ANSI code page) is used by MF_STRING items only.
    bool AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);

    HMENU m_hMenu = nullptr;
};
