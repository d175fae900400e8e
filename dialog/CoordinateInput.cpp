#include "CoordinateInput.h"

#include "PastedCoordinates.h"

namespace {

// The dialog's fields as placePastedCoordinate writes them: the whole text replaced as one
// edit, so that the field's undo gives back what it held.
class UndoableFields {
public:
    class Field {
    public:
        explicit Field(HWND window) : m_edit(window) {}

        // The plain decimals are ASCII. The caret ends after the text, where typing goes on.
        void SetWindowText(const char* text) {
            wchar_t wide[kPlainDecimalSize];
            std::size_t i = 0;
            for (; text[i] != '\0' && i + 1 < kPlainDecimalSize; ++i) {
                wide[i] = static_cast<unsigned char>(text[i]);
            }
            wide[i] = L'\0';
            m_edit.SetSel(0, -1);
            m_edit.ReplaceSel(wide, true);
        }

    private:
        CEdit m_edit;
    };

    explicit UndoableFields(HWND dialog) : m_dialog(dialog) {}
    Field GetDlgItem(int id) const { return Field(::GetDlgItem(m_dialog, id)); }

private:
    HWND m_dialog;
};

// The clipboard's text, one unit beyond the recogniser's limit at most, so that a longer text is
// still seen to be too long. False when there is none or the clipboard cannot be opened.
bool readClipboardText(HWND owner, char16_t (&text)[kPastedTextLimit + 1], std::size_t& length) {
    if (!::OpenClipboard(owner)) {
        return false;
    }
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* units = static_cast<const wchar_t*>(data != nullptr ? ::GlobalLock(data) : nullptr);
    if (units != nullptr) {
        // Not past the block, whether or not a NUL ends the text within it.
        const std::size_t available = ::GlobalSize(data) / sizeof(wchar_t);
        length = 0;
        while (length < available && length < kPastedTextLimit + 1 && units[length] != L'\0') {
            text[length] = static_cast<char16_t>(units[length]);
            ++length;
        }
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return units != nullptr;
}

// True when the clipboard held a coordinate, now in the fields; false to paste as the edit does.
bool pasteCoordinate(CWnd field) {
    char16_t text[kPastedTextLimit + 1];
    std::size_t length = 0;
    if (!readClipboardText(field.m_hWnd, text, length)) {
        return false;
    }
    const int id = field.GetDlgCtrlID();
    UndoableFields dialog(::GetParent(field.m_hWnd));
    return placePastedCoordinate(dialog, id,
                                 recognisePastedCoordinate(text, length, axisOfField(id)));
}

LRESULT CALLBACK coordinateInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR) {
    CEdit field(window);
    switch (message) {
    case WM_PASTE:
        if (pasteCoordinate(field)) {
            return 0;
        }
        break;
    // An input method's finished composition comes as WM_IME_CHAR, one per character, which the
    // edit passes on to become WM_CHAR: the edit does not take the result string itself unless
    // told to (EIMES_GETCOMPSTRATONCE), measured so under Wine too.
    case WM_CHAR:
    case WM_IME_CHAR:
        // A Unicode window's characters are UTF-16 units; a larger value passes as it was sent.
        if (wParam <= 0xFFFF) {
            wParam = asciiFormOfTypedCharacter(static_cast<char16_t>(wParam));
        }
        break;
    case WM_NCDESTROY:
        field.RemoveWindowSubclass(&coordinateInput, id);
        break;
    default:
        break;
    }
    return field.DefSubclassProc(message, wParam, lParam);
}

} // namespace

void takeCoordinatesAsUsersHaveThem(CWnd field) {
    field.SetWindowSubclass(&coordinateInput, 0, 0);
}
