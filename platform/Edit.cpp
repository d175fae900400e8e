#include "Edit.h"

void CEdit::SetSel(int start, int end) {
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CEdit::ReplaceSel(const wchar_t* text, bool canUndo) {
    ::SendMessageW(m_hWnd, EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
}
