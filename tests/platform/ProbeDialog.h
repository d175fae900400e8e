#pragma once

#include "Afx.h"
#include "TestResources.h"

#include <functional>
#include <string>

// A command that no control sends: ProbeDialog's own.
constexpr UINT kProbeCommand = 0x7F00;
// The end code of a dialog whose steps stopped at a fatal test failure.
constexpr int kStepsFailed = -2;

// A dialog that runs a test's steps inside its own modal loop. OnInitDialog posts a command,
// which arrives once the loop runs; the steps then look at the window and end it, directly or
// through the moves a user would make.
class ProbeDialog : public CDialog {
public:
    using Steps = std::function<void(ProbeDialog&)>;

    ProbeDialog(UINT templateId, Steps steps, CWnd* parent = nullptr);

    bool OnInitDialog() override;

    // Runs inside OnInitDialog, after the base class's.
    Steps duringInitialisation;

    int initialisations = 0;
    int dataExchanges = 0;
    bool visibleDuringInitialisation = false;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    afx_msg void OnProbe();

    DECLARE_MESSAGE_MAP()

private:
    Steps m_steps;
};

// A window's rectangle on the screen, and the centre of a rectangle.
RECT windowRect(HWND window);
POINT centreOf(const RECT& rect);
// The work area of the primary monitor.
RECT workArea();
// The text of a control, read as a test reads it: in UTF-16, not through the layer.
std::wstring textOf(HWND control);
