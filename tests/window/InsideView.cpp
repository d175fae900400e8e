#include "InsideView.h"

#include "InsideViewLayout.h"
#include "WindowDriver.h"

std::optional<InsideView> readInsideView(HWND window) {
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(InsideViewCopy),
                           insideViewCopyName(processId).c_str());
    if (mapping == nullptr) {
        return std::nullopt;
    }
    auto* copy = static_cast<InsideViewCopy*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(InsideViewCopy)));
    HMODULE probe = LoadLibraryW(windowsPathOf(VARNIK_INSIDE_VIEW_PROBE_PATH).c_str());
    const auto hook = probe != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                             GetProcAddress(probe, kInsideViewHookName)))
                                       : nullptr;
    HHOOK installed = hook != nullptr && copy != nullptr
                          ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe, threadId)
                          : nullptr;

    std::optional<InsideView> view;
    if (installed != nullptr) {
        PostMessageW(window, RegisterWindowMessageW(kCopyInsideViewMessage), 0, 0);
        if (waitUntil([copy] { return InterlockedCompareExchange(&copy->done, 0, 0) != 0; })) {
            view = InsideView{};
            view->hasSystemMenu = copy->hasSystemMenu != 0;
            view->bigIcon = copy->bigIcon;
            view->smallIcon = copy->smallIcon;
            view->dpi = copy->dpi;
            for (LONG i = 0; i < copy->menuItemCount; ++i) {
                const MenuItemCopy& item = copy->menuItems[i];
                view->systemMenu.push_back({(item.type & MFT_SEPARATOR) != 0, item.id, item.text});
            }
            for (LONG i = 0; i < copy->controlCount; ++i) {
                const ControlTextCopy& control = copy->controls[i];
                view->controls.push_back({control.className,
                                          control.style,
                                          {control.clientWidth, control.clientHeight},
                                          {control.textWidth, control.textHeight},
                                          control.usesDialogFont != 0,
                                          control.text});
            }
        }
        UnhookWindowsHookEx(installed);
    }
    if (probe != nullptr) {
        FreeLibrary(probe);
    }
    if (copy != nullptr) {
        UnmapViewOfFile(copy);
    }
    CloseHandle(mapping);
    return view;
}
