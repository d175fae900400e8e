#pragma once

#include "Window.h"

// An edit control's window handle and its own operations.
class CEdit : public CWnd {
public:
    CEdit() = default;
    explicit CEdit(HWND window) : CWnd(window) {}

    // Selects from start to end; 0 and -1 select the whole text.
    void SetSel(int start, int end);
    // Replaces the selection with a NUL-terminated text, leaving the caret after it; with
    // canUndo, the edit's undo (Ctrl+Z) gives back what was replaced.
    void ReplaceSel(const wchar_t* text, bool canUndo);
};
