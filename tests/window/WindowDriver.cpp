#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <string>
#include <tuple>
#include <utility>

std::optional<int> timeScaleOf(const char* value) {
    if (value == nullptr) {
        return 1;
    }
    const std::string text(value);
    if (text.empty() || text.size() > 4 || text.front() == '0' ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoi(text);
}

std::chrono::milliseconds answerLimit() {
    constexpr std::chrono::milliseconds kOrdinaryLimit{5000};
    static const std::optional<int> scale = timeScaleOf(std::getenv(kTimeScaleVariable));
    if (!scale) {
        ADD_FAILURE() << kTimeScaleVariable << " must be a whole number from 1 to 9999";
        return kOrdinaryLimit;
    }
    return kOrdinaryLimit * *scale;
}

bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    const bool answered =
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                            static_cast<UINT>(answerLimit().count()), &answer) != 0;
    if (result != nullptr) {
        *result = static_cast<LRESULT>(answer);
    }
    return answered;
}

std::wstring textOf(HWND window) {
    LRESULT length = 0;
    if (!sendWithin(window, WM_GETTEXTLENGTH, 0, 0, &length)) {
        ADD_FAILURE() << "window " << window << " did not answer WM_GETTEXTLENGTH";
        return L"";
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!sendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                    &copied)) {
        ADD_FAILURE() << "window " << window << " did not answer WM_GETTEXT";
        return L"";
    }
    text.resize(static_cast<size_t>(copied));
    return text;
}

void setTextOf(HWND window, const std::wstring& text) {
    if (!sendWithin(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
        ADD_FAILURE() << "window " << window << " did not answer WM_SETTEXT";
    }
}

bool click(HWND button) {
    if (!sendWithin(button, BM_CLICK, 0, 0)) {
        ADD_FAILURE() << "button " << button << " did not finish its click in time";
        return false;
    }
    return true;
}

namespace {

// The lParam of a key message: repeat count 1, the key's scan code, and the given flags.
LPARAM keyData(UINT virtualKey, LPARAM flags) {
    return 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16) | flags;
}

constexpr LPARAM kAltHeld = LPARAM{1} << 29;
constexpr LPARAM kReleased = (LPARAM{1} << 30) | (LPARAM{1} << 31);

} // namespace

void pressKey(HWND focus, UINT virtualKey) {
    PostMessageW(focus, WM_KEYDOWN, virtualKey, keyData(virtualKey, 0));
    PostMessageW(focus, WM_KEYUP, virtualKey, keyData(virtualKey, kReleased));
}

void pressAltKey(HWND focus, UINT virtualKey) {
    PostMessageW(focus, WM_SYSKEYDOWN, virtualKey, keyData(virtualKey, kAltHeld));
    PostMessageW(focus, WM_SYSKEYUP, virtualKey, keyData(virtualKey, kAltHeld | kReleased));
}

std::wstring classNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

DWORD extendedStyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::vector<HWND> visibleChildrenOf(HWND parent) {
    std::vector<HWND> children = childrenOf(parent);
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [](HWND child) { return (styleOf(child) & WS_VISIBLE) == 0; }),
                   children.end());
    return children;
}

namespace {

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM search) {
    auto& dialogs = *reinterpret_cast<DialogSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == dialogs.processId && IsWindowVisible(window) && classNameOf(window) == L"#32770") {
        dialogs.found.push_back(window);
    }
    return TRUE;
}

struct ThreadWindowSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK findShownWindow(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<ThreadWindowSearch*>(search);
    if (IsWindowVisible(window) && classNameOf(window) == wanted.className) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::vector<HWND> dialogsOf(DWORD processId) {
    DialogSearch search{processId, {}};
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND shownWindowOfThread(DWORD threadId, const wchar_t* className) {
    ThreadWindowSearch search{className, nullptr};
    EnumThreadWindows(threadId, findShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND focusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

RECT rectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE clientSizeOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {widthOf(rect), heightOf(rect)};
}

std::wstring windowsPathOf(const char* builtPath) {
    std::wstring path(builtPath, builtPath + std::char_traits<char>::length(builtPath));
    if (!path.empty() && path.front() == L'/') {
        path.insert(0, L"Z:");
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

WindowInFront::WindowInFront() {
    std::promise<std::pair<DWORD, HWND>> opened;
    auto result = opened.get_future();
    thread_ = std::thread([&opened] {
        const HWND window =
            CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0,
                            0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        opened.set_value({GetCurrentThreadId(), window});
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        DestroyWindow(window);
    });
    std::tie(threadId_, window_) = result.get();
}

WindowInFront::~WindowInFront() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}
