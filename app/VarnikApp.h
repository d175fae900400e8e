#pragma once

#include "Afx.h"

// The application: runs the main dialog modally and ends when it closes.
class CVarnikApp : public CWinAppEx {
public:
    CVarnikApp();

    bool InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CVarnikApp theApp;
