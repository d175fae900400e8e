#pragma once

#include "Afx.h"
#include "resource.h"

// The program's one window: a correction group (map -> true coordinates) above an offset group
// (true -> map coordinates), each with a longitude and a latitude row, and four lines of notes.
class CVarnikDlg : public CDialog {
public:
    explicit CVarnikDlg(CWnd* pParent = nullptr);

    enum { IDD = IDD_MAIN_DIALOG };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnAddOffset();
    afx_msg void OnCorrectOffset();

    DECLARE_MESSAGE_MAP()

private:
    // Loaded once from the application's resources and shared, so never destroyed.
    HICON m_hAppIcon;
};
