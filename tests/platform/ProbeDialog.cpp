#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <utility>

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
    ON_COMMAND(kProbeCommand, &ProbeDialog::OnProbe)
END_MESSAGE_MAP()

ProbeDialog::ProbeDialog(UINT templateId, Steps steps, CWnd* parent)
    : CDialog(templateId, parent), m_steps(std::move(steps)) {}

bool ProbeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ++initialisations;
    visibleDuringInitialisation = ::IsWindowVisible(m_hWnd) != FALSE;
    if (duringInitialisation) {
        duringInitialisation(*this);
    }
    ::PostMessageW(m_hWnd, WM_COMMAND, kProbeCommand, 0);
    return true;
}

void ProbeDialog::DoDataExchange(CDataExchange* exchange) {
    CDialog::DoDataExchange(exchange);
    ++dataExchanges;
}

void ProbeDialog::OnProbe() {
    m_steps(*this);
    if (::testing::Test::HasFatalFailure()) {
        EndDialog(kStepsFailed);
    }
}

RECT windowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT centreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT workArea() {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::wstring textOf(HWND control) {
    wchar_t text[256];
    const int length = ::GetWindowTextW(control, text, 256);
    return std::wstring(text, static_cast<std::size_t>(length));
}
