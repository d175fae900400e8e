#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// Starts Windows programs many times, taking turns, and measures each start from CreateProcess
// until the program's main window is visible, painted and answering; also the peak memory of
// each run and the size of each executable. Closes each window (WM_CLOSE) after measuring.
// usage: startup_timer [--runs N] program.exe [program.exe ...]

namespace {

constexpr int kDefaultRuns = 20;
// Runs of each program before the measured ones: the first start of a program fills caches.
constexpr int kWarmUpRuns = 2;
// How long a program may take to show its window, or to end once it is closed.
constexpr DWORD kPatienceMs = 10000;
// How often the window is looked at while a program starts.
constexpr DWORD kPollMs = 1;

struct Run {
    double visibleMs = 0; // the main window is visible
    double readyMs = 0;   // ... and painted, and the program idle and answering
    double peakWorkingSetMiB = 0;
    double peakPagefileMiB = 0;
};

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double mebibytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted.processId && IsWindowVisible(window)) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND visibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK noteUnpainted(HWND window, LPARAM unpainted) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
    }
    return TRUE;
}

// Painted (neither the window nor a control waits for WM_PAINT), idle (waiting for input with
// none pending) and answering a message.
bool isReady(HANDLE process, HWND window) {
    bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(window, noteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted && WaitForInputIdle(process, 0) == 0 &&
           SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, nullptr) != 0;
}

std::optional<Run> startOnce(const std::wstring& path) {
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls: error %lu\n", path.c_str(), GetLastError());
        return std::nullopt;
    }

    Run run;
    HWND window = nullptr;
    bool ready = false;
    while (!ready && millisecondsSince(start) < kPatienceMs) {
        if (window == nullptr) {
            window = visibleWindowOf(process.dwProcessId);
            run.visibleMs = millisecondsSince(start);
        }
        ready = window != nullptr && isReady(process.hProcess, window);
        if (ready) {
            run.readyMs = millisecondsSince(start);
        } else {
            Sleep(kPollMs);
        }
    }

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
        run.peakWorkingSetMiB = mebibytes(memory.PeakWorkingSetSize);
        run.peakPagefileMiB = mebibytes(memory.PeakPagefileUsage);
    }

    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(process.hProcess, kPatienceMs) == WAIT_OBJECT_0;
    if (!ended) {
        std::fprintf(stderr, "%ls did not end when closed; killed\n", path.c_str());
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ready) {
        std::fprintf(stderr, "%ls showed no answering window in time\n", path.c_str());
        return std::nullopt;
    }
    return run;
}

// The value below which the given fraction of the sorted values lies, interpolating linearly.
double quantile(const std::vector<double>& sorted, double fraction) {
    const double position = fraction * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] +
           (position - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

template <class Field>
std::vector<double> sortedValues(const std::vector<Run>& runs, Field field) {
    std::vector<double> values;
    for (const Run& run : runs) {
        values.push_back(run.*field);
    }
    std::sort(values.begin(), values.end());
    return values;
}

double kibibytesOfFile(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) {
        return 0;
    }
    const ULONGLONG bytes =
        (static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    return static_cast<double>(bytes) / 1024.0;
}

std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

struct Program {
    std::wstring path;
    std::vector<Run> runs;
    double firstStartMs = 0;
};

double medianOf(const Program& program, double Run::*field) {
    return quantile(sortedValues(program.runs, field), 0.5);
}

// One line of the table: the start-up median, quartiles and range, when the window became visible,
// the first (cold) start, memory, and the executable's size.
constexpr char kHeading[] = "%-20s %9s  %-13s  %-13s  %9s  %11s  %9s  %13s  %10s\n";
constexpr char kRow[] = "%-20ls %6.1f ms  %5.1f - %5.1f  %5.1f - %5.1f  %6.1f ms  %8.1f ms  %5.1f "
                        "MiB  %9.1f MiB  %6.1f KiB\n";

void printSummary(const Program& program) {
    const std::vector<double> ready = sortedValues(program.runs, &Run::readyMs);
    std::printf(kRow, fileNameOf(program.path).c_str(), quantile(ready, 0.5), quantile(ready, 0.25),
                quantile(ready, 0.75), ready.front(), ready.back(),
                medianOf(program, &Run::visibleMs), program.firstStartMs,
                medianOf(program, &Run::peakWorkingSetMiB),
                medianOf(program, &Run::peakPagefileMiB), kibibytesOfFile(program.path));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = kDefaultRuns;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--runs" && i + 1 < argc) {
            runs = std::max(1, _wtoi(argv[++i]));
        } else {
            programs.push_back({argv[i], {}, 0});
        }
    }
    if (programs.empty()) {
        std::fprintf(stderr, "usage: startup_timer [--runs N] program.exe [program.exe ...]\n");
        return 2;
    }

    for (int round = 0; round < kWarmUpRuns + runs; ++round) {
        for (Program& program : programs) {
            const std::optional<Run> run = startOnce(program.path);
            if (!run) {
                return 1;
            }
            if (round == 0) {
                program.firstStartMs = run->readyMs;
            }
            if (round >= kWarmUpRuns) {
                program.runs.push_back(*run);
            }
        }
    }

    std::printf("Start-up: from CreateProcess until the main window is visible, painted and "
                "answering.\n%d runs of each program, taking turns, after %d warm-up runs of "
                "each. Memory: medians of the runs' peaks.\n\n",
                runs, kWarmUpRuns);
    std::printf(kHeading, "program", "median", "quartiles", "min - max", "visible", "first start",
                "peak WS", "peak pagefile", "exe size");
    for (const Program& program : programs) {
        printSummary(program);
    }
    const Program& first = programs.front();
    for (std::size_t i = 1; i < programs.size(); ++i) {
        const Program& other = programs[i];
        std::printf(
            "\n%ls / %ls: %.2f times the median start-up, %.2f times the peak working set\n",
            fileNameOf(first.path).c_str(), fileNameOf(other.path).c_str(),
            medianOf(first, &Run::readyMs) / medianOf(other, &Run::readyMs),
            medianOf(first, &Run::peakWorkingSetMiB) / medianOf(other, &Run::peakWorkingSetMiB));
    }
    return 0;
}
