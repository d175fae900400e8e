#include "Menu.h"

#include <memory>

namespace {

// A list rather than a standard container: those bring libstdc++'s exception and string code,
// about a third of the executable, into a program that has no use for it.
struct MenuWrapper {
    CMenu menu;
    std::unique_ptr<MenuWrapper> next;
};

} // namespace

CMenu* CMenu::FromHandle(HMENU menu) {
    if (menu == nullptr) {
        return nullptr;
    }
    // One wrapper per menu handle the thread has asked about; nodes never move. The system reuses
    // handle values, so the list stays short.
    thread_local std::unique_ptr<MenuWrapper> wrappers;
    for (MenuWrapper* w = wrappers.get(); w != nullptr; w = w->next.get()) {
        if (w->menu.m_hMenu == menu) {
            return &w->menu;
        }
    }
    auto wrapper = std::make_unique<MenuWrapper>();
    wrapper->menu.m_hMenu = menu;
    wrapper->next = std::move(wrappers);
    wrappers = std::move(wrapper);
    return &wrappers->menu;
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    return ::AppendMenuA(m_hMenu, flags, id, text) != FALSE;
}
