#include "Menu.h"

#include <unordered_map>

CMenu* CMenu::FromHandle(HMENU menu) {
    if (menu == nullptr) {
        return nullptr;
    }
    // One entry per menu handle the thread has asked about; the system reuses handle values,
    // so the table stays small. Nodes do not move when it grows.
    thread_local std::unordered_map<HMENU, CMenu> wrappers;
    CMenu& wrapper = wrappers[menu];
    wrapper.m_hMenu = menu;
    return &wrapper;
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    return ::AppendMenuA(m_hMenu, flags, id, text) != FALSE;
}
