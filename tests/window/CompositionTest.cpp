#include "VarnikDlg.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <iostream>
#include <string>
#include <vector>

// What an input method's finished composition leaves in an input field, checked inside the
// process, where the field's input context is: the main dialog runs modally on the test's
// thread, a timer on that thread composes in each input field through the input method manager,
// and hooks note every message the field gets meanwhile.

namespace {

constexpr int kInputFields[] = {1000, 1003, 1005, 1008};
// Typed in the Chinese input methods' full-width mode and with their Chinese full stop.
constexpr wchar_t kComposed[] = L"－１１３。５北";

struct Arrival {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Composed {
    int field;
    bool composed; // the input method manager took the string and completed it
    std::vector<Arrival> arrivals;
    std::wstring shown;
};

HWND g_composingIn = nullptr;
std::vector<Arrival> g_arrivals;
std::vector<Composed> g_results;

bool isInputMethodMessage(UINT message) {
    return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST) ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP) || message == WM_CHAR;
}

void note(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == g_composingIn && isInputMethodMessage(message)) {
        g_arrivals.push_back({message, wParam, lParam});
    }
}

LRESULT CALLBACK noteSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    note(sent.hwnd, sent.message, sent.wParam, sent.lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK notePosted(int code, WPARAM wParam, LPARAM lParam) {
    const auto& posted = *reinterpret_cast<const MSG*>(lParam);
    if (wParam == PM_REMOVE) {
        note(posted.hwnd, posted.message, posted.wParam, posted.lParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void handlePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

Composed composeIn(HWND field) {
    SetFocus(field);
    SetWindowTextW(field, L"");
    g_composingIn = field;
    g_arrivals.clear();
    const HIMC context = ImmGetContext(field);
    const bool set = context != nullptr &&
                     ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(kComposed),
                                              sizeof kComposed - sizeof(wchar_t), nullptr, 0);
    const bool completed = set && ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    if (context != nullptr) {
        ImmReleaseContext(field, context);
    }
    handlePendingMessages();
    g_composingIn = nullptr;
    wchar_t shown[64] = {};
    GetWindowTextW(field, shown, 64);
    return {GetDlgCtrlID(field), completed, g_arrivals, shown};
}

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK composeInEachField(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        return;
    }
    for (const int id : kInputFields) {
        g_results.push_back(composeIn(GetDlgItem(dialog, id)));
    }
    EndDialog(dialog, IDCANCEL);
}

} // namespace

TEST(CompositionTest, AFinishedCompositionArrivesAsAscii) {
    CWinApp application; // the dialog loads its icon through the application
    CVarnikDlg dialog;
    const HHOOK sent = SetWindowsHookExW(WH_CALLWNDPROC, noteSent, nullptr, GetCurrentThreadId());
    const HHOOK posted =
        SetWindowsHookExW(WH_GETMESSAGE, notePosted, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 10, composeInEachField);
    dialog.DoModal();
    UnhookWindowsHookEx(sent);
    UnhookWindowsHookEx(posted);

    ASSERT_EQ(g_results.size(), std::size(kInputFields)) << "the dialog did not open";
    for (const Composed& result : g_results) {
        // The record of what the input method manager sent.
        std::cout << "field " << result.field << (result.composed ? "" : " (not composed)") << ":";
        for (const Arrival& arrival : result.arrivals) {
            std::cout << " 0x" << std::hex << arrival.message << "(" << arrival.wParam << ","
                      << arrival.lParam << ")" << std::dec;
        }
        std::cout << " -> [" << utf8(result.shown) << "]\n";
    }
    for (const Composed& result : g_results) {
        if (!result.composed) {
            GTEST_SKIP() << "this system's input method manager composes nothing";
        }
        EXPECT_EQ(result.shown, L"-113.5北") << "field " << result.field;
    }
}
