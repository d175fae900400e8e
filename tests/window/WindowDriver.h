#pragma once

#include "Utf8.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Drives another process's windows as a user's input would reach them. Every send waits at most
// answerLimit() for the answer, so a hung program fails the test instead of hanging it; a window
// that does not answer in time is reported as a test failure by the helper itself.

// The time a window gets to appear or to answer: 5 s, times the whole number in this environment
// variable on a slow machine (an emulated PC), where a first window can take longer. CTest's time
// limit follows it too (scripts/lib/x86-guest.sh). Read once; a value that is not a whole number
// from 1 up fails the test that reads it.
constexpr char kTimeScaleVariable[] = "VARNIK_TIME_SCALE";
std::chrono::milliseconds answerLimit();

// The factor that a value of the variable asks for: 1 when unset, nothing when it is not a whole
// number from 1 to 9999.
std::optional<int> timeScaleOf(const char* value);

// Polls the condition until it holds or answerLimit() has passed; returns its last value.
template <class Condition>
bool waitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + answerLimit();
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return condition();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Sends a message and waits for the answer; false when the window did not answer in time.
bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

// The window's current text (WM_GETTEXT: GetWindowText across processes gives the creation text).
std::wstring textOf(HWND window);
void setTextOf(HWND window, const std::wstring& text);

// A click as the button's own mouse handling sees it (BM_CLICK); true once it was handled,
// false (and a test failure) when the program did not finish handling it in time.
bool click(HWND button);

// A key press and release posted to the window with the keyboard focus, as the keyboard delivers
// them; with alt, as a system key with the Alt key held.
void pressKey(HWND focus, UINT virtualKey);
void pressAltKey(HWND focus, UINT virtualKey);

std::wstring classNameOf(HWND window);
DWORD styleOf(HWND window);
DWORD extendedStyleOf(HWND window);

// Child windows in z-order, which for a dialog is the order of its template.
std::vector<HWND> childrenOf(HWND parent);
// Only those a user sees: not the hidden labels that name a control for screen readers.
std::vector<HWND> visibleChildrenOf(HWND parent);

// The process's visible top-level dialog windows.
std::vector<HWND> dialogsOf(DWORD processId);

// A visible top-level window of the thread with the given class ("#32770" a dialog, "#32768" a
// drop-down menu), or null.
HWND shownWindowOfThread(DWORD threadId, const wchar_t* className);

// The window that has the keyboard focus on the given thread, or null.
HWND focusOf(DWORD threadId);

// A child's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child);

// Client width and height in pixels.
SIZE clientSizeOf(HWND window);

// Width and height of a rectangle.
inline LONG widthOf(const RECT& rect) {
    return rect.right - rect.left;
}
inline LONG heightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}

// A window of the test's own process brought to the front, as another program's window comes to
// the front when the user switches to it; it closes with the object. A thread of its own answers
// its messages, so that it never keeps Varnik waiting.
class WindowInFront {
public:
    WindowInFront();
    ~WindowInFront();

    WindowInFront(const WindowInFront&) = delete;
    WindowInFront& operator=(const WindowInFront&) = delete;

    HWND window() const { return window_; }

private:
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
};

// A path from the build as this process opens it. Under Wine the Unix root is drive Z:.
std::wstring windowsPathOf(const char* builtPath);
