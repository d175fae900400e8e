#include "VarnikApp.h"

#include "SystemLibrary.h"
#include "VarnikDlg.h"

#include <commctrl.h>

namespace {

// The common controls' InitCommonControlsEx, from comctl32.dll of the system folder: it is not
// a KnownDLL, so an import of it could bring in a comctl32.dll beside the program instead.
// FALSE, having done nothing, if the library cannot be loaded.
BOOL initCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const HMODULE library = afx::loadSystemLibrary(L"comctl32.dll");
    const auto function =
        library != nullptr
            ? afx::procedureOf<InitCommonControlsExFunction>(library, "InitCommonControlsEx")
            : nullptr;
    return function != nullptr ? function(init) : FALSE;
}

} // namespace

BEGIN_MESSAGE_MAP(CVarnikApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CVarnikApp::CVarnikApp() : CWinAppEx(true) {}

CVarnikApp theApp;

bool CVarnikApp::InitInstance() {
    INITCOMMONCONTROLSEX initControls;
    initControls.dwSize = sizeof(initControls);
    initControls.dwICC = ICC_WIN95_CLASSES;
    initCommonControlsEx(&initControls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();
    // The name is set as every such application sets it; nothing is ever stored under it.
    SetRegistryKey("Local AppWizard-Generated Applications");

    CVarnikDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // No message pump of our own: the application ends with its dialog.
    return false;
}
