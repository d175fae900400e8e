#include "Dialog.h"

#include "Application.h"
#include "CurrentMessage.h"

#include <cstring>

namespace {

// Whether the template leaves the placement to the framework: a top-level dialog at (0, 0)
// that the dialog manager does not centre itself.
bool templateAsksForCentring(UINT templateId) {
    const HINSTANCE instance = afx::moduleInstance();
    const HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(templateId),
                                           reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(::LockResource(loaded));
    if (bytes == nullptr) {
        return false;
    }
    // DLGTEMPLATEEX starts with version 1 and signature 0xFFFF; the older DLGTEMPLATE with its
    // style. Neither is aligned for direct reads.
    WORD version;
    WORD signature;
    std::memcpy(&version, bytes, sizeof version);
    std::memcpy(&signature, bytes + 2, sizeof signature);
    const bool extended = version == 1 && signature == 0xFFFF;
    DWORD style;
    short x;
    short y;
    std::memcpy(&style, bytes + (extended ? 12 : 0), sizeof style);
    std::memcpy(&x, bytes + (extended ? 18 : 10), sizeof x);
    std::memcpy(&y, bytes + (extended ? 20 : 12), sizeof y);
    return x == 0 && y == 0 && (style & (DS_CENTER | DS_CENTERMOUSE | WS_CHILD)) == 0;
}

// The window a dialog without a parent belongs to: the application's main window, or else the
// calling thread's active window; in either case the last popup it opened, so a dialog opened
// from a dialog is owned by it.
HWND defaultOwner() {
    const CWinApp* app = AfxGetApp();
    HWND window = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        window = ::GetActiveWindow();
    }
    return window != nullptr ? ::GetLastActivePopup(::GetAncestor(window, GA_ROOT)) : nullptr;
}

CDialog* dialogOf(HWND window) {
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    const HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : defaultOwner();
    return ::DialogBoxParamW(afx::moduleInstance(), MAKEINTRESOURCEW(m_templateId), owner,
                             &CDialog::dialogProcedure, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    CDataExchange exchange;
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::EndDialog(int code) {
    ::EndDialog(m_hWnd, code);
}

void CDialog::OnPaint() {
    Default();
}

void CDialog::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// The dialog manager calls this for every message of the dialog. Only WM_INITDIALOG is ours
// to answer here: afterwards every message first reaches windowProcedure, which passes what it
// does not handle to the dialog manager's own procedure, and that asks here again; FALSE lets
// it do its default processing.
INT_PTR CALLBACK CDialog::dialogProcedure(HWND window, UINT message, WPARAM,
                                          LPARAM lParam) noexcept {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    return reinterpret_cast<CDialog*>(lParam)->attach(window);
}

LRESULT CALLBACK CDialog::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
    CDialog& dialog = *dialogOf(window);
    const afx::CurrentMessageScope scope(
        {window, message, wParam, lParam, dialog.m_defaultProcedure});
    LRESULT result = 0;
    if (!dialog.dispatch(message, wParam, lParam, result)) {
        result = ::CallWindowProcW(dialog.m_defaultProcedure, window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        dialog.detach();
    }
    return result;
}

// Binds the new window to this object, then initialises it: OnInitDialog, and the centring
// that the template asks for when OnInitDialog has not placed the window itself.
INT_PTR CDialog::attach(HWND window) noexcept {
    m_hWnd = window;
    ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    m_defaultProcedure = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::windowProcedure)));

    // WM_INITDIALOG has no default processing to run: the dialog manager is the caller.
    const afx::CurrentMessageScope scope({window, WM_INITDIALOG, 0, 0, nullptr});
    RECT placed;
    ::GetWindowRect(window, &placed);
    const BOOL result = OnInitDialog();
    RECT initialised;
    ::GetWindowRect(window, &initialised);
    if (::EqualRect(&placed, &initialised) && templateAsksForCentring(m_templateId)) {
        CenterWindow();
    }
    return result;
}

void CDialog::detach() noexcept {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_defaultProcedure));
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    m_defaultProcedure = nullptr;
    m_hWnd = nullptr;
}

// The dialog's map first; commands it does not handle go on to the application's map, as
// commands of a framework window do.
bool CDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept {
    if (handleMessage(message, wParam, lParam, result)) {
        return true;
    }
    CWinApp* app = AfxGetApp();
    return message == WM_COMMAND && app != nullptr &&
           app->handleMessage(message, wParam, lParam, result);
}
