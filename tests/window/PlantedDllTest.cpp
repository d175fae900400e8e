#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

// The DLLs that Varnik, its common controls and its windows load by name and that are not
// KnownDLLs of every Windows from 7 on: Windows looks for each of them in the program's folder
// first. Wine's own DLLs load a few more by name, out of the program's reach: as a process starts,
// before any of the program's code runs, user32 imports version.dll (Windows' user32 does not)
// and other DLLs of Wine's import ucrtbase.dll, win32u.dll and zlib1.dll; Wine's imm32, loaded
// then, brings in combase.dll by a delayed import when the window opens, and Wine resolves that
// without the program's search restriction (on Windows imm32 and combase are KnownDLLs). Those
// are Wine's, so they are not planted.
constexpr const wchar_t* kPlantedNames[] = {L"comctl32.dll", L"uxtheme.dll", L"dwmapi.dll",
                                            L"oleacc.dll"};

// Wine loads its own DLLs of these names wherever the program is, unless told to prefer others
// ("native") of the same names: then it looks for them as Windows looks for a DLL that is not a
// KnownDLL. Mono and Gecko stay off, as for every test. Wine hands a new process this variable
// from the Unix environment, not from its parent's Windows one, so the test's own environment
// must have it (tests/window/CMakeLists.txt).
constexpr wchar_t kOverridesVariable[] = L"WINEDLLOVERRIDES";
std::wstring overridesPreferringPlantedDlls() {
    std::wstring names;
    for (const wchar_t* name : kPlantedNames) {
        const std::wstring file = name;
        names += (names.empty() ? L"" : L",") + file.substr(0, file.find(L'.'));
    }
    // A program that crashes ends at once rather than wait in Wine's debugger.
    return L"mscoree,mshtml=;" + names + L"=n,b;winedbg.exe=d";
}

// The variable's value, or nothing if it is not set.
std::optional<std::wstring> environmentVariable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// The names of the files in a folder that match a pattern such as *.loaded.
std::vector<std::wstring> filesIn(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Makes the folder, or empties it of what an earlier run left.
bool makeEmptyFolder(const std::wstring& folder) {
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    for (const std::wstring& name : filesIn(folder, L"*")) {
        if (!DeleteFileW((folder + L"\\" + name).c_str())) {
            return false;
        }
    }
    return true;
}

} // namespace

// A DLL of a system DLL's name, left where the program starts from (the Downloads folder, say),
// is never loaded, and the program works as ever. Each test plants the DLLs in a folder of its
// own.
class PlantedDllTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const char* name = test->name();
        folder_ = windowsPathOf(VARNIK_PLANTED_DLLS_PATH) + L"-" +
                  std::wstring(name, name + std::strlen(name));
        ASSERT_TRUE(makeEmptyFolder(folder_)) << "cannot empty " << utf8(folder_);
        const std::wstring marker = windowsPathOf(VARNIK_PLANTED_DLL_PATH);
        for (const wchar_t* dll : kPlantedNames) {
            ASSERT_TRUE(CopyFileW(marker.c_str(), (folder_ + L"\\" + dll).c_str(), FALSE));
        }
        ASSERT_EQ(utf8(environmentVariable(kOverridesVariable).value_or(L"unset")),
                  utf8(overridesPreferringPlantedDlls()))
            << "the test's environment (tests/window/CMakeLists.txt) names other DLLs";
    }

    // A copy of a built program in the test's folder.
    std::wstring copyIntoFolder(const char* builtPath) const {
        const std::wstring from = windowsPathOf(builtPath);
        const std::wstring to = folder_ + from.substr(from.rfind(L'\\'));
        EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << utf8(to);
        return to;
    }

    // The planted DLLs that were loaded, by the files they leave.
    std::vector<std::wstring> loadedDlls() const { return filesIn(folder_, L"*.loaded"); }

    // Starts Varnik, converts, opens the About box and closes the program with it open; then
    // fails for each planted DLL that was loaded, whether the program worked or not.
    void runVarnikAndExpectNoneLoaded(const Launch& launch) const {
        useTheWindow(launch);
        for (const std::wstring& record : loadedDlls()) {
            ADD_FAILURE() << "loaded: " << utf8(record.substr(0, record.rfind(L'.')));
        }
    }

    static void useTheWindow(const Launch& launch) {
        RunningVarnik app(L"", launch);
        ASSERT_NE(app.window(), nullptr);

        setTextOf(app.field(kOffsetLongitudeIn), L"113.540124");
        setTextOf(app.field(kOffsetLatitudeIn), L"23.517846");
        ASSERT_TRUE(click(app.field(kOffsetButton))) << "the program hangs";
        EXPECT_EQ(textOf(app.field(kOffsetLatitudeOut)), L"23.515146");
        EXPECT_EQ(textOf(app.field(kOffsetLongitudeOut)), L"113.545324");

        PostMessageW(app.window(), WM_SYSCOMMAND, kAboutCommand, 0);
        const HWND about = app.waitForSecondDialog();
        EXPECT_NE(about, nullptr) << "the About box did not open";
    }

    std::wstring folder_;
};

TEST_F(PlantedDllTest, NoneBesideTheProgramIsLoaded) {
    Launch launch;
    launch.program = copyIntoFolder(VARNIK_EXE_PATH);
    runVarnikAndExpectNoneLoaded(launch);
}

TEST_F(PlantedDllTest, NoneInTheCurrentDirectoryIsLoaded) {
    Launch launch;
    launch.currentDirectory = folder_;
    runVarnikAndExpectNoneLoaded(launch);
}

// The planted DLLs can be loaded and say so, and Wine prefers them: a program beside them that
// loads each by name gets them all. Without this, the tests above could pass on DLLs that are
// never loaded whatever the program does.
TEST_F(PlantedDllTest, AProgramThatLoadsThemByNameLoadsThemAll) {
    std::wstring commandLine = L"\"" + copyIntoFolder(VARNIK_LOAD_BY_NAME_PATH) + L"\"";
    for (const wchar_t* dll : kPlantedNames) {
        commandLine += std::wstring(L" ") + dll;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    const bool ended =
        WaitForSingleObject(process.hProcess, static_cast<DWORD>(answerLimit().count())) ==
        WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(ended);
    EXPECT_EQ(exitCode, 0u) << "DLLs that could not be loaded";
    EXPECT_EQ(loadedDlls().size(), std::size(kPlantedNames));
}
