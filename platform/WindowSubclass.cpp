#include "SystemLibrary.h"
#include "Window.h"

namespace {

struct SubclassFunctions {
    decltype(&::SetWindowSubclass) set = nullptr;
    decltype(&::RemoveWindowSubclass) remove = nullptr;
    decltype(&::DefSubclassProc) passOn = nullptr;
};

// Looked up on first use, by when the application has loaded the library for its controls; the
// user-interface thread is the only one that subclasses.
const SubclassFunctions& subclassFunctions() {
    static bool lookedUp = false;
    static SubclassFunctions functions;
    if (!lookedUp) {
        lookedUp = true;
        const HMODULE library = afx::loadSystemLibrary(L"comctl32.dll");
        if (library != nullptr) {
            functions.set = afx::procedureOf<decltype(functions.set)>(library, "SetWindowSubclass");
            functions.remove =
                afx::procedureOf<decltype(functions.remove)>(library, "RemoveWindowSubclass");
            functions.passOn =
                afx::procedureOf<decltype(functions.passOn)>(library, "DefSubclassProc");
        }
    }
    return functions;
}

} // namespace

bool CWnd::SetWindowSubclass(SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    const SubclassFunctions& functions = subclassFunctions();
    // Without the other two, a subclass could be neither passed through nor removed.
    return functions.set != nullptr && functions.remove != nullptr && functions.passOn != nullptr &&
           functions.set(m_hWnd, procedure, id, data) != FALSE;
}

bool CWnd::RemoveWindowSubclass(SUBCLASSPROC procedure, UINT_PTR id) {
    const SubclassFunctions& functions = subclassFunctions();
    return functions.remove != nullptr && functions.remove(m_hWnd, procedure, id) != FALSE;
}

LRESULT CWnd::DefSubclassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a subclass procedure calls this, and a subclass is set only with all three functions.
    return subclassFunctions().passOn(m_hWnd, message, wParam, lParam);
}
