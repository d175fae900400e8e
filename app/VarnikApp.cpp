#include "VarnikApp.h"

#include "VarnikDlg.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CVarnikApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CVarnikApp::CVarnikApp() : CWinAppEx(TRUE) {}

CVarnikApp theApp;

BOOL CVarnikApp::InitInstance() {
    INITCOMMONCONTROLSEX initControls;
    initControls.dwSize = sizeof(initControls);
    initControls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&initControls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();
    // The name is set as every such application sets it; nothing is ever stored under it.
    SetRegistryKey("Local AppWizard-Generated Applications");

    CVarnikDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // No message pump of our own: the application ends with its dialog.
    return FALSE;
}
