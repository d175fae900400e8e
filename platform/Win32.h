#pragma once

// The Windows API as the layer and the program see it. <windows.h> maps names such as
// SendMessage and LoadString to their A or W function by macro; the layer's members of those
// names are renamed alike wherever it is included, and each calls the variant it means
// explicitly.
#include <windows.h>

// Marks message handlers in class declarations; it has no effect.
#define afx_msg

namespace afx {

// The program is one executable: its resources are in its own module.
inline HINSTANCE moduleInstance() {
    return GetModuleHandleW(nullptr);
}

} // namespace afx
