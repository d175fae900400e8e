#include "Application.h"

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

bool CWinApp::InitInstance() {
    return true;
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
