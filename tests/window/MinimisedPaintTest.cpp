#include "VarnikDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

// The minimised main dialog's painting, checked inside the process: under Wine a minimised
// window shows nothing of its client area to another process. The dialog runs modally on the
// test's thread; a driver thread minimises it, watches its messages through a subclass, captures
// what it painted, and closes it.

namespace {

constexpr std::chrono::milliseconds kPatience{5000};
constexpr COLORREF kBackground = RGB(0x10, 0xC0, 0x30);

// What the subclass saw of the last paint while minimised. Written on the dialog's thread while
// the driver waits in a synchronous call into it.
struct PaintObservation {
    int minimisedPaints = 0;
    int erasesDuringPaint = 0;
    bool eraseDcIsTheWindows = false;
    LPARAM eraseLParam = -1;
};

WNDPROC g_dialogProcedure = nullptr;
PaintObservation g_seen;
int g_paintDepth = 0;

LRESULT CALLBACK observePainting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE:
        // Wine leaves a minimised window no client area at all; the classic minimised window,
        // which the icon painting is written for, was client area all over.
        if (IsIconic(window)) {
            return 0;
        }
        break;
    case WM_PAINT:
        if (IsIconic(window)) {
            ++g_paintDepth;
            const LRESULT result =
                CallWindowProcW(g_dialogProcedure, window, message, wParam, lParam);
            --g_paintDepth;
            ++g_seen.minimisedPaints;
            return result;
        }
        break;
    case WM_ICONERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (g_paintDepth > 0) {
            ++g_seen.erasesDuringPaint;
            g_seen.eraseDcIsTheWindows = WindowFromDC(dc) == window;
            g_seen.eraseLParam = lParam;
        }
        const LRESULT result = CallWindowProcW(g_dialogProcedure, window, message, wParam, lParam);
        // A known background behind the icon, painted through the DC that the message brought.
        RECT client;
        GetClientRect(window, &client);
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        return result;
    }
    }
    return CallWindowProcW(g_dialogProcedure, window, message, wParam, lParam);
}

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

// What the driver thread found.
struct Minimised {
    HWND dialog = nullptr;
    HICON windowIcon = nullptr;
    HICON dragIcon = nullptr;
    bool painted = false;
    PaintObservation seen;
    SIZE client{};
    Pixels onScreen;
};

HWND dialogOfThread(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM result) {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

Minimised minimiseAndCapture(DWORD dialogThread) {
    Minimised result;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (result.dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        result.dialog = dialogOfThread(dialogThread);
    }
    if (result.dialog == nullptr) {
        return result;
    }
    const HWND dialog = result.dialog;
    result.windowIcon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0));
    result.dragIcon = reinterpret_cast<HICON>(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0));
    g_dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&observePainting)));

    // The modal loop shows its dialog normally the first time its queue runs empty, which
    // undoes a minimise that came earlier: minimise until a paint happens while minimised.
    while (!result.painted && std::chrono::steady_clock::now() < deadline) {
        if (!IsIconic(dialog)) {
            SendMessageW(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        // Settle the paint that minimising asked for, then paint once more without asking the
        // system to erase: any erase message then comes from the dialog's own painting.
        UpdateWindow(dialog);
        g_seen = {};
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        RECT client;
        GetClientRect(dialog, &client);
        result.client = {client.right, client.bottom};
        const HDC screen = GetDC(dialog);
        result.onScreen = drawnPixels(result.client, [&](HDC memory) {
            BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        });
        ReleaseDC(dialog, screen);
        result.seen = g_seen;
        result.painted = IsIconic(dialog) && g_seen.minimisedPaints > 0;
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
        [&minimised, thread = GetCurrentThreadId()] { minimised = minimiseAndCapture(thread); });
    dialog.DoModal();
    driver.join();

    ASSERT_NE(minimised.dialog, nullptr) << "the dialog did not open";
    const HICON applicationIcon =
        LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(applicationIcon, nullptr);
    EXPECT_EQ(minimised.windowIcon, applicationIcon);
    EXPECT_EQ(minimised.dragIcon, applicationIcon) << "the icon shown while dragging";

    ASSERT_TRUE(minimised.painted) << "no paint while minimised";
    EXPECT_EQ(minimised.seen.erasesDuringPaint, 1) << "WM_ICONERASEBKGND during the paint";
    EXPECT_TRUE(minimised.seen.eraseDcIsTheWindows) << "the erase DC belongs to the window";
    EXPECT_EQ(minimised.seen.eraseLParam, 0);

    // The background we painted through the erase DC, and the icon on top at the centre,
    // rounding as integer division does (toward zero, also for a client smaller than the icon).
    const POINT at{(minimised.client.cx - GetSystemMetrics(SM_CXICON) + 1) / 2,
                   (minimised.client.cy - GetSystemMetrics(SM_CYICON) + 1) / 2};
    const auto background = [&](HDC memory) {
        const RECT all{0, 0, minimised.client.cx, minimised.client.cy};
        const HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
    };
    const Pixels plain = drawnPixels(minimised.client, background);
    const Pixels expected = drawnPixels(minimised.client, [&](HDC memory) {
        background(memory);
        DrawIcon(memory, at.x, at.y, applicationIcon);
    });
    ASSERT_NE(expected, plain) << "the icon falls outside the client area of "
                               << minimised.client.cx << "x" << minimised.client.cy;
    EXPECT_TRUE(minimised.onScreen == expected)
        << "the minimised window does not show the icon at (" << at.x << ", " << at.y << ")";
}
