#include "ProbeDialog.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kNoColour = CLR_INVALID;

// Paints its client area in one colour through CPaintDC, or leaves painting to the default.
class PaintingDialog : public ProbeDialog {
public:
    PaintingDialog(COLORREF colour, Steps steps)
        : ProbeDialog(IDD_PROBE, std::move(steps)), m_colour(colour) {}

    int paints = 0;

protected:
    afx_msg void OnPaint() {
        ++paints;
        if (m_colour == kNoColour) {
            CDialog::OnPaint();
            return;
        }
        CPaintDC dc(this);
        RECT client;
        GetClientRect(&client);
        const HBRUSH brush = ::CreateSolidBrush(m_colour);
        ::FillRect(dc.GetSafeHdc(), &client, brush);
        ::DeleteObject(brush);
    }

    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_colour;
};

BEGIN_MESSAGE_MAP(PaintingDialog, ProbeDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Repaints the whole window now; returns whether painting left nothing to paint.
bool repaint(HWND window) {
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    return ::GetUpdateRect(window, nullptr, FALSE) == FALSE;
}

// A client pixel that no control covers.
COLORREF cornerPixel(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    const HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, client.right - 3, client.bottom - 3);
    ::ReleaseDC(window, dc);
    return pixel;
}

TEST(PaintTest, HandlerPaintsThroughCPaintDCAndValidates) {
    const COLORREF colour = RGB(0x20, 0x80, 0xC0);
    PaintingDialog dialog(colour, [&](ProbeDialog& probe) {
        const int paintsBefore = static_cast<PaintingDialog&>(probe).paints;
        EXPECT_TRUE(repaint(probe.m_hWnd));
        EXPECT_GT(static_cast<PaintingDialog&>(probe).paints, paintsBefore);
        EXPECT_EQ(colour, cornerPixel(probe.m_hWnd));
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(PaintTest, DefaultPaintingPaintsTheDialogBackgroundAndValidates) {
    PaintingDialog dialog(kNoColour, [&](ProbeDialog& probe) {
        const int paintsBefore = static_cast<PaintingDialog&>(probe).paints;
        EXPECT_TRUE(repaint(probe.m_hWnd));
        EXPECT_GT(static_cast<PaintingDialog&>(probe).paints, paintsBefore);
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), cornerPixel(probe.m_hWnd));
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

} // namespace
