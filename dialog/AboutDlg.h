#pragma once

#include "Afx.h"
#include "resource.h"

// The About box: the program's name, version and notice, opened from the system menu.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
