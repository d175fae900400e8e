#include "MinimalDialog.h"

#include <windows.h>

// The least a Windows program with a dialog window does: one modal dialog from a template, run
// by the dialog manager, closed by Esc or the close box. The start-up benchmark measures
// Varnik.exe against it.

namespace {

INT_PTR CALLBACK minimalDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MINIMAL), nullptr, minimalDialogProcedure, 0);
    return 0;
}
