#pragma once

#include "MessageMap.h"
#include "Window.h"

// Passed to DoDataExchange. The layer exchanges no data between members and controls, so it
// carries nothing.
class CDataExchange {};

// A modal dialog from a dialog template of the module, run by one dialog procedure that finds
// this object in the window (DWLP_USER) from WM_INITDIALOG on. The object must outlive the
// window; everything it keeps about the messages it is handling is its own, so dialogs open at
// once, one inside another's modal loop, do not meet.
class CDialog : public CWnd, public CCmdTarget {
public:
    // parent owns the dialog; without one, DoModal picks the owner (see there).
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override = default;

    // Creates the window and runs it until EndDialog; returns the code given to EndDialog, or -1
    // when the window cannot be created. Without a parent, the dialog is owned by the
    // application's main window when that exists, or else by the calling thread's active window
    // (the last popup it opened). A top-level dialog that the dialog manager places by its style
    // neither centred (DS_CENTER, DS_CENTERMOUSE) nor on the screen (DS_ABSALIGN) opens centred
    // (CenterWindow) unless OnInitDialog moves it.
    INT_PTR DoModal();

    // Runs once, after the controls exist and before the dialog is shown. The default runs
    // DoDataExchange and returns true, which gives the focus to the first tab stop.
    virtual bool OnInitDialog();

    // Ends the modal run with code.
    void EndDialog(int code);

    // Default processing, as if no handler were mapped.
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

    // Default processing of the message this dialog's handler is running for, the innermost when
    // a handler sent its own window another, with its result; 0 when no handler of this dialog
    // runs. Messages before WM_INITDIALOG (WM_SETFONT) reach no handler: the dialog manager
    // answers them.
    LRESULT Default();

protected:
    virtual void DoDataExchange(CDataExchange* exchange);

    // IDOK (Enter, an OK button) and IDCANCEL (Esc, the close box) end the run with that code.
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    INT_PTR answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    bool initialise() noexcept;
    bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

    UINT m_templateId;
    CWnd* m_pParentWnd;
    // The message whose handler runs, on the stack of the dialog procedure; null when none does.
    const Message* m_handling = nullptr;
    // Set while Default hands m_handling to the dialog manager, which asks here first.
    bool m_passingOn = false;
};
