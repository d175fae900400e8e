#pragma once

#include "Win32.h"

namespace afx {

// A DLL of the system folder, loaded by its full path there and kept for the life of the
// process; null if it cannot be loaded. A DLL that is not one of Windows' KnownDLLs, loaded by
// name, is looked for in the program's folder first, where whoever can put files (a browser's
// Downloads folder) could leave one of that name. The DLLs it imports are looked for in the
// system folder first too.
HMODULE loadSystemLibrary(const wchar_t* fileName);

// A module's exported function as a pointer of the given type; null if it exports none of that
// name.
template <class Function>
Function procedureOf(HMODULE module, const char* name) {
    // void (*)() converts to and from every function pointer type without a cast warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace afx
