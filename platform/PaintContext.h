#pragma once

#include "Window.h"

// The device context for answering WM_PAINT: BeginPaint on construction, EndPaint on
// destruction, which validates what was to be painted.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    PAINTSTRUCT m_ps;
    HDC m_hDC;

private:
    HWND m_hWnd;
};
