#pragma once

#include "MessageMap.h"
#include "Window.h"

// The framework's help command.
#define ID_HELP 0xE146

// The application: one object for the process, constructed before AfxWinMain runs, which then
// calls its InitInstance. The most recently constructed one is the application (AfxGetApp).
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Sets the application up. true runs the message loop until WM_QUIT; false ends the
    // application at once. The default does nothing and returns true.
    virtual bool InitInstance();

    // Keeps the name under which the application would keep its settings; nothing is read or
    // written. The name is not copied: it must outlive the application, as a literal does.
    void SetRegistryKey(const char* name) { m_pszRegistryKey = name; }
    const char* registryKey() const { return m_pszRegistryKey != nullptr ? m_pszRegistryKey : ""; }

    // An icon of the module at the system's icon size; it is shared and never destroyed.
    HICON LoadIcon(UINT id) const;

    // The framework's help: there is no help file to open, so it does nothing.
    afx_msg void OnHelp();

    // Runs the message loop of the thread until WM_QUIT; returns the code that WM_QUIT carries.
    int Run();

    CWnd* m_pMainWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    const char* m_pszRegistryKey = nullptr;
};

class CWinAppEx : public CWinApp {
public:
    // The flag is kept; the layer has no resource cache for it to govern.
    explicit CWinAppEx(bool bResourceSmartUpdate = false)
        : m_bResourceSmartUpdate(bResourceSmartUpdate) {}

    const bool m_bResourceSmartUpdate;
};

// The application object, null when there is none.
CWinApp* AfxGetApp();

// Hosting ActiveX controls needs a control container; the layer's dialogs host none, so there
// is nothing to enable.
inline void AfxEnableControlContainer() {}

// The framework's entry: calls InitInstance of the application object once, then runs its
// message loop when that returned true. Returns the process's exit code: 0 when InitInstance
// returned false, -1 when there is no application object.
int AfxWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
