#include "Application.h"

#include <algorithm>
#include <cstring>

namespace {
CWinApp* application = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp() {
    application = this;
}

CWinApp::~CWinApp() {
    if (application == this) {
        application = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

void CWinApp::SetRegistryKey(const char* name) {
    const std::size_t length = name != nullptr ? std::strlen(name) : 0;
    m_registryKey = std::make_unique<char[]>(length + 1);
    std::copy_n(name, length, m_registryKey.get());
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconW(afx::moduleInstance(), MAKEINTRESOURCEW(id));
}

void CWinApp::OnHelp() {}

int CWinApp::Run() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

CWinApp* AfxGetApp() {
    return application;
}

int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    return app->InitInstance() ? app->Run() : 0;
}
