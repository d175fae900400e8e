#pragma once

#include "Win32.h"

namespace afx {

// The message that a window procedure of the calling thread is handling, for CWnd::Default.
struct CurrentMessage {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    WNDPROC defaultProcedure = nullptr; // null when the message has no default processing
};

// Makes a message the current one while it lives; the one it interrupted (handlers send
// messages, and the default processing of one message sends others) comes back afterwards.
class CurrentMessageScope {
public:
    explicit CurrentMessageScope(const CurrentMessage& message) noexcept;
    ~CurrentMessageScope();
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

    static const CurrentMessage& current() noexcept;

private:
    CurrentMessage m_interrupted;
};

} // namespace afx
