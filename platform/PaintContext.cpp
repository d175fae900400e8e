#include "PaintContext.h"

CPaintDC::CPaintDC(CWnd* window)
    : m_ps{}, m_hDC(::BeginPaint(window->m_hWnd, &m_ps)), m_hWnd(window->m_hWnd) {}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
}
