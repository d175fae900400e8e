#include "Window.h"

#include <algorithm>

namespace {

LRESULT CALLBACK prepareOnFirstRequest(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR prepare) {
    CWnd control(window);
    if (message == WM_GETOBJECT || message == WM_NCDESTROY) {
        control.RemoveWindowSubclass(&prepareOnFirstRequest, id);
    }
    if (message == WM_GETOBJECT) {
        reinterpret_cast<void (*)(CWnd)>(prepare)(control);
    }
    return control.DefSubclassProc(message, wParam, lParam);
}

} // namespace

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

void CWnd::PrepareOnFirstAccessibilityRequest(void (*prepare)(CWnd control)) {
    SetWindowSubclass(&prepareOnFirstRequest, 0, reinterpret_cast<DWORD_PTR>(prepare));
}

CWnd CWnd::GetDlgItem(int id) const {
    return CWnd(::GetDlgItem(m_hWnd, id));
}

int CWnd::GetWindowText(char* buffer, int maxCount) const {
    return ::GetWindowTextA(m_hWnd, buffer, maxCount);
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

bool CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd) != FALSE;
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

CMenu CWnd::GetSystemMenu(bool revert) const {
    return CMenu(::GetSystemMenu(m_hWnd, revert ? TRUE : FALSE));
}

void CWnd::AddHiddenLabel(const wchar_t* text) {
    // Taken first: the new window itself may come right before the control.
    const HWND before = ::GetWindow(m_hWnd, GW_HWNDPREV);
    // The dialog manager gives its own controls WS_EX_NOPARENTNOTIFY, and -1 as the id of a
    // control that no code addresses.
    const HWND label = ::CreateWindowExW(
        WS_EX_NOPARENTNOTIFY, L"Static", text, WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
        ::GetParent(m_hWnd), reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
        afx::moduleInstance(), nullptr);
    if (label != nullptr) {
        ::SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CWnd::CenterWindow() {
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(
        ::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;

    RECT centreOn = area;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &centreOn);
    }
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    // Keep the window on the work area; when it is larger, keep its top-left corner there.
    const int left = std::max(
        area.left, std::min((centreOn.left + centreOn.right - width) / 2, area.right - width));
    const int top = std::max(
        area.top, std::min((centreOn.top + centreOn.bottom - height) / 2, area.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
