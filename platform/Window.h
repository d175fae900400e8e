#pragma once

#include "Menu.h"
#include "Win32.h"

#include <commctrl.h>

// A window handle and the operations on it. It does not own the window: copies are free and
// destroy nothing.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}

    HWND GetSafeHwnd() const { return m_hWnd; }
    int GetDlgCtrlID() const;

    // The child control with that id; its handle is null when there is none.
    CWnd GetDlgItem(int id) const;

    // Copies the text into buffer in the ANSI code page: at most maxCount - 1 bytes and a NUL.
    // Returns the number of bytes copied, without the NUL.
    int GetWindowText(char* buffer, int maxCount) const;
    // Replaces the text with a NUL-terminated text in the ANSI code page.
    void SetWindowText(const char* text);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool IsIconic() const;
    void GetClientRect(RECT* rect) const;

    // The window's own system menu, lent by the system; its handle is null when the window has
    // none. revert restores the standard menu, and then the handle is null.
    CMenu GetSystemMenu(bool revert) const;

    // Names this control for screen readers without changing what is seen or how the keyboard
    // moves: an invisible static text directly before it in z-order, where Windows looks for a
    // control's label for MSAA and UI Automation alike. It takes no tab stop, starts no group and
    // has no mnemonic. Nothing happens when the label cannot be created.
    void AddHiddenLabel(const wchar_t* text);

    // Runs prepare on this control the first time an accessibility client (a screen reader, UI
    // Automation) asks it for its object (WM_GETOBJECT), before it answers; until then it costs
    // nothing but a subclass, which then goes. Each control keeps its own preparation.
    void PrepareOnFirstAccessibilityRequest(void (*prepare)(CWnd control));

    // The common controls' subclassing: procedure sees this window's messages before its own
    // procedure does, and a window may have several, each a procedure and id with data of its
    // own. From comctl32.dll of the system folder, found at run time, so that the program does not
    // import it (see loadSystemLibrary); false when it cannot be had.
    bool SetWindowSubclass(SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
    bool RemoveWindowSubclass(SUBCLASSPROC procedure, UINT_PTR id);
    // From inside a subclass procedure: the message passed on to the next one, and in the end to
    // the window's own procedure.
    LRESULT DefSubclassProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Centres a top-level window over its owner, or on the work area of its monitor when it has
    // no visible owner, keeping it on that work area.
    void CenterWindow();

    HWND m_hWnd = nullptr;
};
