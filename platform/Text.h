#pragma once

#include "Win32.h"

#include <memory>

// A narrow text in the ANSI code page.
class CString {
public:
    CString() = default;

    // Replaces the text with string id of the module's string table; returns false and leaves
    // the text as it was when the table has no such entry.
    bool LoadString(UINT id);

    bool IsEmpty() const { return m_text == nullptr || m_text[0] == '\0'; }
    operator const char*() const { return m_text == nullptr ? "" : m_text.get(); }

private:
    // Not a std::string: it would bring libstdc++'s string and exception code into the program.
    std::unique_ptr<char[]> m_text; // NUL-terminated; null while empty
};
