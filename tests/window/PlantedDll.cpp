#include <windows.h>

#include <cwchar>

// Stands for a DLL that someone left beside a program: once loaded into a process, it leaves an
// empty file named like itself with ".loaded" added, in its own folder. It exports nothing, so a
// process that imports the DLL it stands for does not start.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        constexpr wchar_t kSuffix[] = L".loaded";
        wchar_t path[MAX_PATH + sizeof(kSuffix) / sizeof(wchar_t)];
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            std::wcscpy(path + length, kSuffix);
            HANDLE record = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            if (record != INVALID_HANDLE_VALUE) {
                CloseHandle(record);
            }
        }
    }
    return TRUE;
}
