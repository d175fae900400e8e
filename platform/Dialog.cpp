#include "Dialog.h"

#include "Application.h"

#include <utility>

namespace {

// Whether the layer places the window: the dialog manager centres a DS_CENTER or DS_CENTERMOUSE
// dialog itself, DS_ABSALIGN means the template's place on the screen, and a child belongs to
// its parent's layout.
bool leftToTheLayer(HWND window) {
    const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
    return (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD)) == 0;
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

// The messages whose result the dialog procedure returns itself; every other result goes
// through DWLP_MSGRESULT.
bool returnsItsResult(UINT message) {
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM;
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

bool CDialog::OnInitDialog() {
    CDataExchange exchange;
    DoDataExchange(&exchange);
    return true;
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

LRESULT CDialog::Default() {
    if (m_handling == nullptr) {
        return 0;
    }
    m_passingOn = true;
    const LRESULT result =
        ::DefDlgProcW(m_hWnd, m_handling->message, m_handling->wParam, m_handling->lParam);
    m_passingOn = false;
    return result;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// The dialog manager calls this for every message of the dialog, and does its default
// processing when the answer is FALSE. WM_INITDIALOG brings the object; until then there is
// none to ask.
INT_PTR CALLBACK CDialog::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->answer(window, message, wParam, lParam) : FALSE;
}

INT_PTR CDialog::answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // Default's call of the dialog manager asks here first: not handled, once.
    if (std::exchange(m_passingOn, false)) {
        return FALSE;
    }
    // A handler may send its window another message; the one it runs for comes back after.
    const Message handling{message, wParam, lParam};
    const Message* const interrupted = std::exchange(m_handling, &handling);
    LRESULT result = 0;
    bool handled = true;
    if (message == WM_INITDIALOG) {
        result = initialise() ? TRUE : FALSE;
    } else {
        handled = dispatch(message, wParam, lParam, result);
    }
    m_handling = interrupted;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        m_hWnd = nullptr;
    }
    if (!handled) {
        return FALSE;
    }
    if (returnsItsResult(message)) {
        return result;
    }
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

// OnInitDialog, then the centring the layer owes the window when OnInitDialog has not placed it.
bool CDialog::initialise() noexcept {
    RECT placed;
    ::GetWindowRect(m_hWnd, &placed);
    const bool focusFirstTabStop = OnInitDialog();
    RECT initialised;
    ::GetWindowRect(m_hWnd, &initialised);
    if (::EqualRect(&placed, &initialised) && leftToTheLayer(m_hWnd)) {
        CenterWindow();
    }
    return focusFirstTabStop;
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
