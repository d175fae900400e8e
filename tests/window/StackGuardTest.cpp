#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Runs the program that shares Varnik.exe's stack guard and returns its exit status.
DWORD exitStatusOfStackOverrun(const std::wstring& arguments) {
    const std::wstring program = windowsPathOf(VARNIK_STACK_OVERRUN_PATH);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return 0;
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

// An overrun of the guarded bytes ends the process at once with the status of an overrun that
// Microsoft's /GS catches; one that stays inside the buffer returns normally.
TEST(StackGuardTest, AnOverrunEndsTheProcess) {
    EXPECT_EQ(exitStatusOfStackOverrun(L"16"), 0u);
    EXPECT_EQ(exitStatusOfStackOverrun(L"64"), static_cast<DWORD>(STATUS_STACK_BUFFER_OVERRUN));
}

// The guard is seeded at each start: a constant one could be written back by an overrun.
TEST(StackGuardTest, EachStartHasItsOwnGuard) {
    const DWORD first = exitStatusOfStackOverrun(L"");
    const DWORD second = exitStatusOfStackOverrun(L"");
    EXPECT_NE(first, second);
    // The low 32 bits of the guard before it is seeded.
    EXPECT_NE(first, 0x9a1c3e57u) << "the guard was not seeded";
    EXPECT_NE(second, 0x9a1c3e57u) << "the guard was not seeded";
}

} // namespace
