#pragma once

#include "MessageMap.h"
#include "Window.h"

// Passed to DoDataExchange. The layer exchanges no data between members and controls, so it
// carries nothing.
class CDataExchange {};

// A modal dialog from a dialog template of the module. The object must outlive the window: the
// window's procedure holds a pointer to it from WM_INITDIALOG until the window is destroyed.
class CDialog : public CWnd, public CCmdTarget {
public:
    // parent owns the dialog; without one, DoModal picks the owner (see there).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override = default;

    // Creates the window and runs it until EndDialog; returns the code given to EndDialog, or -1
    // when the window cannot be created. Without a parent, the dialog is owned by the
    // application's main window when that exists, or else by the calling thread's active window
    // (the last popup it opened). A template placed at (0, 0) without DS_CENTER opens centred
    // (CenterWindow) unless OnInitDialog moves it.
    INT_PTR DoModal();

    // Runs once, after the controls exist and before the dialog is shown. The default runs
    // DoDataExchange and returns TRUE, which gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();

    // Ends the modal run with code.
    void EndDialog(int code);

    // Default processing, as if no handler were mapped.
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

protected:
    virtual void DoDataExchange(CDataExchange* exchange);

    // IDOK (Enter, an OK button) and IDCANCEL (Esc, the close box) end the run with that code.
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    INT_PTR attach(HWND window) noexcept;
    void detach() noexcept;
    bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

    UINT m_templateId;
    CWnd* m_pParentWnd;
    // The dialog manager's own window procedure, which does the default processing.
    WNDPROC m_defaultProcedure = nullptr;
};
