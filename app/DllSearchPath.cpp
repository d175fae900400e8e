#include "SystemLibrary.h"

namespace {

// Windows looks for a DLL that is not one of its KnownDLLs in the program's folder first, and
// the program is run from wherever its zip was extracted, often the Downloads folder, where web
// pages can leave files. So from here on DLLs loaded by name come from the system folder only.
// Priority 101, the first that a program may give, runs this before every other static
// constructor of the program in whatever order the linker puts them; before it, the C runtime's
// start-up loads no DLL by name.
__attribute__((constructor(101))) void searchDllsInTheSystemFolderOnly() {
    // Windows 8 and later, and Windows 7 with update KB2533623; a plain Windows 7 lacks it, and
    // would refuse to start a program that imported it.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = afx::procedureOf<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr) {
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    // Everywhere, the update or not: the current directory is no place to look either.
    SetDllDirectoryW(L"");
}

} // namespace
