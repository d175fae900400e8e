#pragma once

// The Windows API as the layer and the program see it.
#include <windows.h>

// <windows.h> maps these names to their A or W function by macro. The layer's classes use the
// plain names for their own members, which call the variant they mean explicitly.
#undef AppendMenu
#undef GetWindowText
#undef LoadIcon
#undef LoadString
#undef SendMessage
#undef SetWindowText

// Marks message handlers in class declarations; it has no effect.
#define afx_msg

namespace afx {

// The program is one executable: its resources are in its own module.
inline HINSTANCE moduleInstance() {
    return GetModuleHandleW(nullptr);
}

} // namespace afx
