#pragma once

#include "Win32.h"

#include <string>

// A narrow text in the ANSI code page.
class CString {
public:
    CString() = default;

    // Replaces the text with string id of the module's string table; returns false and leaves
    // the text as it was when the table has no such entry.
    bool LoadString(UINT id);

    bool IsEmpty() const { return m_text.empty(); }
    operator const char*() const { return m_text.c_str(); }

private:
    std::string m_text;
};
