#include "InsideViewLayout.h"

namespace {

void copySystemMenu(HWND window, InsideViewCopy& copy) {
    HMENU menu = GetSystemMenu(window, FALSE);
    copy.hasSystemMenu = menu != nullptr;
    const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    copy.menuItemCount = count < kMaxMenuItems ? count : kMaxMenuItems;
    for (int i = 0; i < copy.menuItemCount; ++i) {
        MenuItemCopy& item = copy.menuItems[i];
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = item.text;
        info.cch = kMaxMenuText;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            item.type = info.fType;
            item.id = info.wID;
        }
    }
}

// Measured as the controls draw their texts: one line in the font the dialog gave them. Hidden
// controls draw nothing.
void copyControlTexts(HWND dialog, InsideViewCopy& copy) {
    HDC context = GetDC(dialog);
    copy.dpi = GetDeviceCaps(context, LOGPIXELSY);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(context, font);
    copy.controlCount = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD);
         control != nullptr && copy.controlCount < kMaxControls;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0) {
            continue;
        }
        ControlTextCopy& item = copy.controls[copy.controlCount++];
        GetClassNameW(control, item.className, kMaxClassName);
        item.style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        RECT client{};
        GetClientRect(control, &client);
        item.clientWidth = client.right;
        item.clientHeight = client.bottom;
        // Measured whole; the copy of a long text is cut short.
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
        lstrcpynW(item.text, text.c_str(), kMaxControlText);
        SIZE extent{};
        GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
        item.textWidth = extent.cx;
        item.textHeight = extent.cy;
        item.usesDialogFont =
            reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == font;
    }
    SelectObject(context, previous);
    ReleaseDC(dialog, context);
}

void copyInsideView(HWND window) {
    const std::wstring name = insideViewCopyName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str());
    if (mapping == nullptr) {
        return;
    }
    auto* copy = static_cast<InsideViewCopy*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(InsideViewCopy)));
    if (copy != nullptr) {
        copySystemMenu(window, *copy);
        copy->bigIcon = static_cast<ULONG64>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        copy->smallIcon = static_cast<ULONG64>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        copyControlTexts(window, *copy);
        InterlockedExchange(&copy->done, 1);
        UnmapViewOfFile(copy);
    }
    CloseHandle(mapping);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    copyInsideViewHook(int code, WPARAM removal, LPARAM message) {
    static const UINT request = RegisterWindowMessageW(kCopyInsideViewMessage);
    const MSG& retrieved = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && retrieved.message == request) {
        copyInsideView(retrieved.hwnd);
    }
    return CallNextHookEx(nullptr, code, removal, message);
}
