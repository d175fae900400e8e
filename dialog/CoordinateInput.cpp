#include "CoordinateInput.h"

#include "PastedCoordinates.h"
#include "SystemLibrary.h"

#include <imm.h>

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

wchar_t asciiForm(wchar_t character) {
    return static_cast<wchar_t>(asciiFormOfTypedCharacter(static_cast<char16_t>(character)));
}

// Compositions longer than this are left as the edit inserted them.
constexpr int kCompositionLimit = 64;

// The result of the input method's composition, from imm32, which is loaded whenever an input
// method composes; 0 when there is none or it is too long.
int compositionResult(HWND window, wchar_t (&result)[kCompositionLimit]) {
    const HMODULE imm = ::GetModuleHandleW(L"imm32.dll");
    if (imm == nullptr) {
        return 0;
    }
    const auto getContext = afx::procedureOf<decltype(&::ImmGetContext)>(imm, "ImmGetContext");
    const auto getString =
        afx::procedureOf<decltype(&::ImmGetCompositionStringW)>(imm, "ImmGetCompositionStringW");
    const auto releaseContext =
        afx::procedureOf<decltype(&::ImmReleaseContext)>(imm, "ImmReleaseContext");
    const HIMC context = getContext != nullptr && getString != nullptr && releaseContext != nullptr
                             ? getContext(window)
                             : nullptr;
    if (context == nullptr) {
        return 0;
    }
    const LONG bytes = getString(context, GCS_RESULTSTR, result, sizeof result);
    releaseContext(window, context);
    return bytes > 0 && static_cast<std::size_t>(bytes) < sizeof result
               ? static_cast<int>(static_cast<std::size_t>(bytes) / sizeof(wchar_t))
               : 0;
}

// The edit inserts a composition's result itself, without WM_CHAR: afterwards the result, which
// ends at the caret, is replaced by its ASCII form when that differs, as one more undoable edit.
LRESULT passOnComposition(CEdit field, WPARAM wParam, LPARAM lParam) {
    wchar_t result[kCompositionLimit];
    const int length = (lParam & GCS_RESULTSTR) != 0 ? compositionResult(field.m_hWnd, result) : 0;
    const LRESULT answer = field.DefSubclassProc(WM_IME_COMPOSITION, wParam, lParam);
    int start = 0;
    int caret = 0;
    field.GetSel(start, caret);
    wchar_t shown[kPastedTextLimit + 1];
    const bool fits = length > 0 && caret >= length && caret <= static_cast<int>(kPastedTextLimit);
    const int shownLength =
        fits ? static_cast<int>(field.SendMessage(WM_GETTEXT, kPastedTextLimit + 1,
                                                  reinterpret_cast<LPARAM>(shown)))
             : 0;
    bool inserted = fits && shownLength >= caret;
    bool differs = false;
    for (int i = 0; inserted && i < length; ++i) {
        inserted = shown[caret - length + i] == result[i];
        differs = differs || asciiForm(result[i]) != result[i];
        result[i] = asciiForm(result[i]);
    }
    if (inserted && differs) {
        result[length] = L'\0';
        field.SetSel(caret - length, caret);
        field.ReplaceSel(result, true);
    }
    return answer;
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
    case WM_CHAR:
    case WM_IME_CHAR:
        // A Unicode window gets UTF-16 units; a surrogate has no ASCII form and stays.
        if (wParam <= 0xFFFF) {
            wParam = asciiForm(static_cast<wchar_t>(wParam));
        }
        break;
    case WM_IME_COMPOSITION:
        return passOnComposition(field, wParam, lParam);
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
