#include "SystemLibrary.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace {

std::wstring lowercase(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length);
}

std::wstring fileOf(HMODULE module) {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(module, path, MAX_PATH));
}

} // namespace

// The library is the system folder's: the path is the folder, one backslash and the name.
TEST(SystemLibraryTest, LoadsTheFileOfTheSystemFolder) {
    const HMODULE library = afx::loadSystemLibrary(L"comctl32.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(lowercase(fileOf(library)), lowercase(systemFolder() + L"\\comctl32.dll"));
    EXPECT_NE(afx::procedureOf<void (*)()>(library, "InitCommonControlsEx"), nullptr);
    EXPECT_EQ(afx::procedureOf<void (*)()>(library, "NoSuchFunction"), nullptr);
}

TEST(SystemLibraryTest, NothingForANameTheSystemFolderLacks) {
    EXPECT_EQ(afx::loadSystemLibrary(L"varnik-no-such-library.dll"), nullptr);
}

// A name that would not fit in a path with the folder gives nothing rather than a cut path.
TEST(SystemLibraryTest, NothingForANameTooLongForAPath) {
    const std::wstring name = std::wstring(MAX_PATH - systemFolder().size() - 1, L'x');
    EXPECT_EQ(afx::loadSystemLibrary(name.c_str()), nullptr);
}
