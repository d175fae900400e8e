#include "Edit.h"

void CEdit::SetSel(int start, int end) {
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                   reinterpret_cast<LPARAM>(&selectionEnd));
    start = static_cast<int>(selectionStart);
    end = static_cast<int>(selectionEnd);
}

void CEdit::ReplaceSel(const wchar_t* text, bool canUndo) {
    ::SendMessageW(m_hWnd, EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
}
