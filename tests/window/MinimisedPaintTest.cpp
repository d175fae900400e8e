#include "AboutDlg.h"
#include "VarnikDlg.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The minimised main dialog's painting, and both dialogs' focus as they are first shown, checked
// inside the process: under Wine a minimised window shows nothing of its client area to another
// process, and the focus moves on activation. The dialog runs modally on the test's thread; a
// driver thread minimises it and asks for paints, and a subclass on the dialog's thread watches
// each paint and captures what it left on the window.

namespace {

constexpr COLORREF kBackground = RGB(0x10, 0xC0, 0x30);

// Colours of an area, top-down rows of 0x00RRGGBB.
using Pixels = std::vector<DWORD>;

// Runs draw on a 32-bit bitmap of the given size and returns its pixels.
template <class Draw>
Pixels drawnPixels(SIZE size, Draw draw) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory);
    GdiFlush();
    Pixels pixels(static_cast<const DWORD*>(bits),
                  static_cast<const DWORD*>(bits) + size.cx * size.cy);
    for (DWORD& pixel : pixels) {
        pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return pixels;
}

// An area of that size filled with the known background.
Pixels backgroundPixels(SIZE size) {
    return drawnPixels(size, [&](HDC memory) {
        const RECT all{0, 0, size.cx, size.cy};
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
    });
}

// One paint of the minimised window, as the subclass saw it.
struct MinimisedPaint {
    int erases = 0; // WM_ICONERASEBKGND messages during the paint
    HDC eraseDc = nullptr;
    bool eraseDcIsTheWindows = false;
    LPARAM eraseLParam = -1;
    bool dcLeftInUse = false; // the paint ended without releasing that DC
    SIZE client{};
    Pixels shown; // the client area right after the paint
    // Whether a capture of that client area shows what was drawn on it: Wine 10 offsets the
    // capture of a minimised window whose client area is smaller than the window.
    bool captureFaithful = false;
};

// The subclass's state. It is written on the dialog's thread while the driver waits in a
// synchronous call into that thread, and read by the driver afterwards.
WNDPROC g_dialogProcedure = nullptr;
bool g_painting = false;
MinimisedPaint g_lastPaint;
int g_paints = 0;
int g_dcsLeftInUse = 0;
// Pixels taken off the right and the bottom of the minimised client area, to paint it at sizes
// of both parities. Set by the driver.
std::atomic<int> g_clientTrim{0};

LRESULT callDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_dialogProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK observePainting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE && IsIconic(window)) {
        // Wine leaves a minimised window no client area at all; the classic minimised window,
        // which the icon painting is written for, was client area all over.
        auto& client = *reinterpret_cast<RECT*>(lParam); // the first of the rectangles
        client.right -= g_clientTrim;
        client.bottom -= g_clientTrim;
        return 0;
    }
    if (message == WM_PAINT && IsIconic(window)) {
        g_lastPaint = {};
        g_painting = true;
        const LRESULT result = callDialog(window, message, wParam, lParam);
        g_painting = false;
        // GetGuiResources counts nothing under Wine; but releasing a DC a second time answers 0.
        g_lastPaint.dcLeftInUse =
            g_lastPaint.eraseDc != nullptr && ReleaseDC(window, g_lastPaint.eraseDc) != 0;
        g_dcsLeftInUse += g_lastPaint.dcLeftInUse ? 1 : 0;
        RECT client;
        GetClientRect(window, &client);
        g_lastPaint.client = {client.right, client.bottom};
        const HDC dc = GetDC(window);
        const auto capture = [&] {
            return drawnPixels(g_lastPaint.client, [&](HDC memory) {
                BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
            });
        };
        g_lastPaint.shown = capture();
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        g_lastPaint.captureFaithful = capture() == backgroundPixels(g_lastPaint.client);
        ReleaseDC(window, dc);
        ++g_paints;
        return result;
    }
    if (message == WM_ICONERASEBKGND) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (g_painting) {
            ++g_lastPaint.erases;
            g_lastPaint.eraseDc = dc;
            g_lastPaint.eraseDcIsTheWindows = WindowFromDC(dc) == window;
            g_lastPaint.eraseLParam = lParam;
        }
        const LRESULT result = callDialog(window, message, wParam, lParam);
        // A known background behind the icon, painted through the DC that the message brought.
        RECT client;
        GetClientRect(window, &client);
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        return result;
    }
    return callDialog(window, message, wParam, lParam);
}

// What the driver thread found.
struct Minimised {
    HWND dialog = nullptr;
    HICON windowIcon = nullptr;
    HICON dragIcon = nullptr;
    // The paint that showed the centred icon, or the last one; one per client trim.
    std::vector<MinimisedPaint> paints;
};

// Two client sizes a pixel apart: the icon's centring rounds differently at odd and even widths
// and heights less the icon's.
constexpr int kClientTrims[] = {0, 1};

// What a minimised client area of that size must show: the known background painted through
// the erase DC, and the application icon on top at the centre, rounding as integer division does
// (toward zero, also for a client smaller than the icon).
Pixels iconCentredOnBackground(SIZE client, HICON icon) {
    const POINT at{(client.cx - GetSystemMetrics(SM_CXICON) + 1) / 2,
                   (client.cy - GetSystemMetrics(SM_CYICON) + 1) / 2};
    return drawnPixels(client, [&](HDC memory) {
        const RECT all{0, 0, client.cx, client.cy};
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIcon(memory, at.x, at.y, icon);
    });
}

HICON applicationIcon() {
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

Minimised minimiseAndPaint(DWORD dialogThread) {
    Minimised result;
    const auto deadline = std::chrono::steady_clock::now() + answerLimit();
    while (result.dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        result.dialog = shownWindowOfThread(dialogThread, L"#32770");
    }
    if (result.dialog == nullptr) {
        return result;
    }
    const HWND dialog = result.dialog;
    result.windowIcon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0));
    result.dragIcon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0));
    g_dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&observePainting)));

    // The modal loop shows its dialog normally the first time its queue runs empty, which can
    // undo the minimise; the system erases too when an invalidation that asked for it arrives
    // late; and Wine's desktop can draw over the window between the paint and its capture. So:
    // minimise, and paint without asking the system to erase, until a paint of the minimised
    // window had no erase but the dialog's own and left the centred icon to be seen.
    for (const int trim : kClientTrims) {
        g_clientTrim = trim;
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        std::optional<MinimisedPaint> paint;
        const auto paintDeadline = std::chrono::steady_clock::now() + answerLimit();
        while (std::chrono::steady_clock::now() < paintDeadline) {
            if (!IsIconic(dialog)) {
                SendMessageW(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            }
            UpdateWindow(dialog);
            const int paintsBefore = g_paints;
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            if (g_paints > paintsBefore && IsIconic(dialog)) {
                paint = g_lastPaint;
                if (paint->erases <= 1 &&
                    paint->shown == iconCentredOnBackground(paint->client, applicationIcon())) {
                    break;
                }
            }
        }
        if (paint) {
            result.paints.push_back(*paint);
        }
    }
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return result;
}

} // namespace

TEST(MinimisedPaintTest, ErasesThroughThePaintDcAndDrawsTheIconCentred) {
    CWinApp application; // the dialog loads its icon through the application
    CVarnikDlg dialog;
    Minimised minimised;
    std::thread driver(
        [&minimised, thread = GetCurrentThreadId()] { minimised = minimiseAndPaint(thread); });
    dialog.DoModal();
    driver.join();

    ASSERT_NE(minimised.dialog, nullptr) << "the dialog did not open";
    const HICON icon = applicationIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(minimised.windowIcon, icon);
    EXPECT_EQ(minimised.dragIcon, icon) << "the icon shown while dragging";

    ASSERT_EQ(minimised.paints.size(), std::size(kClientTrims)) << "no paint while minimised";
    EXPECT_EQ(g_dcsLeftInUse, 0) << "paints of the minimised window that kept their DC, of "
                                 << g_paints;
    const MinimisedPaint& first = minimised.paints.front();
    const MinimisedPaint& second = minimised.paints.back();
    EXPECT_NE((first.client.cx - GetSystemMetrics(SM_CXICON)) & 1,
              (second.client.cx - GetSystemMetrics(SM_CXICON)) & 1)
        << "widths of one parity only";
    EXPECT_NE((first.client.cy - GetSystemMetrics(SM_CYICON)) & 1,
              (second.client.cy - GetSystemMetrics(SM_CYICON)) & 1)
        << "heights of one parity only";
    for (const MinimisedPaint& paint : minimised.paints) {
        SCOPED_TRACE(::testing::Message()
                     << "client area " << paint.client.cx << "x" << paint.client.cy);
        EXPECT_EQ(paint.erases, 1) << "WM_ICONERASEBKGND messages during the paint";
        EXPECT_TRUE(paint.eraseDcIsTheWindows) << "the erase DC belongs to the window";
        EXPECT_EQ(paint.eraseLParam, 0);

        const Pixels expected = iconCentredOnBackground(paint.client, icon);
        ASSERT_NE(expected, backgroundPixels(paint.client))
            << "the icon falls outside the client area";
        if (!paint.captureFaithful && &paint != &first) {
            std::printf("client area %ldx%ld: this Wine's captures of it are offset, so its "
                        "pixels are left unchecked\n",
                        paint.client.cx, paint.client.cy);
            continue;
        }
        EXPECT_TRUE(paint.shown == expected)
            << "the minimised window does not show the icon centred in its client area";
    }
}

// The dialog shown normally paints through the dialog manager, which erases its background
// with the dialog's brush: a known colour painted over the client area must give way to it when
// the area is invalidated and the modal loop comes to paint it.
TEST(MinimisedPaintTest, ShownNormallyPaintsItsBackground) {
    CWinApp application;
    CVarnikDlg dialog;
    COLORREF repainted = CLR_INVALID;
    std::thread driver([&repainted, thread = GetCurrentThreadId()] {
        HWND shown = nullptr;
        waitUntil([&] { return (shown = shownWindowOfThread(thread, L"#32770")) != nullptr; });
        if (shown == nullptr) {
            return;
        }
        // A corner of the client area that no control covers.
        const auto corner = [shown] {
            const HDC dc = GetDC(shown);
            const COLORREF colour = GetPixel(dc, 2, 2);
            ReleaseDC(shown, dc);
            return colour;
        };
        waitUntil([&] { return corner() == GetSysColor(COLOR_3DFACE); });
        const HDC dc = GetDC(shown);
        const RECT all{0, 0, 8, 8};
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(shown, dc);
        InvalidateRect(shown, nullptr, TRUE);
        waitUntil([&] { return corner() == GetSysColor(COLOR_3DFACE); });
        repainted = corner();
        PostMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    dialog.DoModal();
    driver.join();
    EXPECT_EQ(repainted, GetSysColor(COLOR_3DFACE)) << "the client area after its repaint";
}

namespace {

// The focus as a dialog is first shown, before its activation could move it: the dialog
// manager puts it on the first tab stop when OnInitDialog asks for that. (Under Wine the
// activation that follows would put it there too.) The focused control's id, 0 for none; -1 until
// a dialog is shown.
int g_focusIdWhenShown = -1;

LRESULT CALLBACK noteFocusWhenShown(int code, WPARAM sentHere, LPARAM message) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(message);
    wchar_t name[16] = {};
    GetClassNameW(sent.hwnd, name, 16);
    if (code == HC_ACTION && sent.message == WM_SHOWWINDOW && sent.wParam != FALSE &&
        std::wstring(name) == L"#32770" && g_focusIdWhenShown == -1) {
        const HWND focus = GetFocus();
        g_focusIdWhenShown =
            focus != nullptr && GetParent(focus) == sent.hwnd ? GetDlgCtrlID(focus) : 0;
        PostMessageW(sent.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return CallNextHookEx(nullptr, code, sentHere, message);
}

} // namespace

// The main dialog's first tab stop is the correction group's longitude; the About box's, OK.
TEST(MinimisedPaintTest, FocusIsOnTheFirstTabStopWhenFirstShown) {
    CWinApp application;
    CVarnikDlg main;
    CAboutDlg about;
    const struct {
        const char* name;
        CDialog& dialog;
        int firstTabStop;
    } cases[] = {{"main dialog", main, IDC_CORRECT_LON_IN}, {"About box", about, IDOK}};
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, noteFocusWhenShown, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        g_focusIdWhenShown = -1;
        test.dialog.DoModal();
        EXPECT_NE(g_focusIdWhenShown, -1) << "not shown";
        EXPECT_EQ(g_focusIdWhenShown, test.firstTabStop) << "the focused control's id";
    }
    UnhookWindowsHookEx(hook);
}
