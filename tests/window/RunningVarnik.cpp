#include "RunningVarnik.h"

#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <vector>

RunningVarnik::RunningVarnik(const std::wstring& arguments, const Launch& launch) {
    // The driver measures Varnik's windows in physical pixels, as Varnik itself declares DPI
    // awareness: where the system scales DPI-unaware programs (Windows, Wine 10), an unaware
    // driver would see every window scaled to 96 DPI and its own fonts at 96 DPI.
    SetProcessDPIAware();
    const std::wstring path =
        launch.program.empty() ? windowsPathOf(VARNIK_EXE_PATH) : launch.program;
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    const wchar_t* currentDirectory =
        launch.currentDirectory.empty() ? nullptr : launch.currentDirectory.c_str();
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory, &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << utf8(path) << ", error " << GetLastError();
        process_ = {};
        return;
    }
    waitUntil([this] {
        const auto dialogs = dialogsOf(processId());
        window_ = dialogs.empty() ? nullptr : dialogs.front();
        return window_ != nullptr;
    });
    if (window_ == nullptr) {
        ADD_FAILURE() << "the main dialog did not appear";
    }
}

RunningVarnik::~RunningVarnik() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (!ended_) {
        close();
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void RunningVarnik::close() {
    // A box left open runs its own modal loop; it has to go before the main dialog can end.
    closeSecondDialogs();
    PostMessageW(window_, WM_CLOSE, 0, 0);
    const std::optional<DWORD> exitCode = waitForExit();
    if (!exitCode) {
        ADD_FAILURE() << "Varnik did not end when its window was closed; killed";
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
        return;
    }
    EXPECT_EQ(*exitCode, 0u) << "exit code";
}

std::map<int, std::wstring> RunningVarnik::fieldTexts() const {
    std::map<int, std::wstring> texts;
    for (const int id : kEditFields) {
        texts[id] = textOf(field(id));
    }
    return texts;
}

bool RunningVarnik::answers() const {
    return window_ != nullptr && IsWindow(window_) && sendWithin(window_, WM_NULL, 0, 0);
}

std::optional<DWORD> RunningVarnik::waitForExit() {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(answerLimit().count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    ended_ = true;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

HWND RunningVarnik::waitForSecondDialog() const {
    HWND found = nullptr;
    waitUntil([&] {
        for (HWND dialog : dialogsOf(processId())) {
            if (dialog != window_) {
                found = dialog;
            }
        }
        return found != nullptr;
    });
    return found;
}

void RunningVarnik::closeSecondDialogs() const {
    const auto others = [this] {
        std::vector<HWND> found;
        for (HWND dialog : dialogsOf(processId())) {
            if (dialog != window_) {
                found.push_back(dialog);
            }
        }
        return found;
    };
    for (HWND dialog : others()) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    waitUntil([&] { return others().empty(); });
}

void startUnlessAnswering(std::unique_ptr<RunningVarnik>& app) {
    if (app == nullptr || !app->answers()) {
        app = std::make_unique<RunningVarnik>();
    }
}
