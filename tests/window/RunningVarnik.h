#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

// Where a program starts from: its file, the build's Varnik.exe when empty, and its current
// directory, the test's own when empty.
struct Launch {
    std::wstring program;
    std::wstring currentDirectory;
};

// Varnik.exe started as a user starts it, for as long as the object lives. The constructor waits
// until the main dialog is on screen (a failure is reported if it never comes); the destructor
// closes what is still open, waits for the process to end, and kills it and fails the test if it
// does not end, or ends with a non-zero code.
class RunningVarnik {
public:
    explicit RunningVarnik(const std::wstring& arguments = L"", const Launch& launch = {});
    ~RunningVarnik();

    RunningVarnik(const RunningVarnik&) = delete;
    RunningVarnik& operator=(const RunningVarnik&) = delete;

    // The main dialog, or null if it never appeared.
    HWND window() const { return window_; }
    HWND field(int id) const { return GetDlgItem(window_, id); }
    DWORD processId() const { return process_.dwProcessId; }
    DWORD threadId() const { return process_.dwThreadId; }

    // Every edit field's text, by id.
    std::map<int, std::wstring> fieldTexts() const;

    // True while the main dialog exists and answers a message in time.
    bool answers() const;

    // Waits for the process to end by itself: its exit code, or nothing if it still runs.
    std::optional<DWORD> waitForExit();

    // Waits for a dialog of the process other than the main one (the About box): null if none
    // appears in time.
    HWND waitForSecondDialog() const;

    // Cancels every dialog of the process other than the main one, and waits until they are gone.
    void closeSecondDialogs() const;

private:
    void close();

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    bool ended_ = false;
};

// A suite's shared program: started anew when there is none yet or it stopped answering, so that
// one hung case does not fail the cases after it.
void startUnlessAnswering(std::unique_ptr<RunningVarnik>& app);
