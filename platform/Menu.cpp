#include "Menu.h"

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) {
    return ::AppendMenuA(m_hMenu, flags, id, text) != FALSE;
}
