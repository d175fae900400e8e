#include "Window.h"
#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <vector>

// What the screen readers' hidden labels cost: the dialog made from Varnik's own template, then
// the eight labels that its fields get when a reader first asks for them, each timed over many
// rounds in this one process. Made at every start, they would add milliseconds; the program makes
// them only when asked.

namespace {

constexpr int kRounds = 200;
constexpr int kFields[] = {IDC_CORRECT_LON_IN,  IDC_CORRECT_LON_OUT, IDC_CORRECT_LAT_IN,
                           IDC_CORRECT_LAT_OUT, IDC_OFFSET_LON_IN,   IDC_OFFSET_LON_OUT,
                           IDC_OFFSET_LAT_IN,   IDC_OFFSET_LAT_OUT};

INT_PTR CALLBACK answerNothing(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

double millisecondsBetween(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e3 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-40s min %6.3f ms  median %6.3f ms  90th percentile %6.3f ms\n", what,
                times.front(), times[times.size() / 2], times[times.size() * 9 / 10]);
}

} // namespace

int main() {
    std::vector<double> dialogTimes;
    std::vector<double> labelTimes;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER created;
        LARGE_INTEGER labelled;
        QueryPerformanceCounter(&start);
        const HWND dialog = CreateDialogParamW(
            afx::moduleInstance(), MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr, answerNothing, 0);
        QueryPerformanceCounter(&created);
        if (dialog == nullptr) {
            std::fprintf(stderr, "cannot create the main dialog\n");
            return 1;
        }
        for (const int id : kFields) {
            // As long as the longest of the program's names.
            CWnd(GetDlgItem(dialog, id)).AddHiddenLabel(L"纠偏结果：真实坐标经度");
        }
        QueryPerformanceCounter(&labelled);
        DestroyWindow(dialog);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        dialogTimes.push_back(millisecondsBetween(start, created));
        labelTimes.push_back(millisecondsBetween(created, labelled));
    }
    std::printf("%d rounds in one process:\n", kRounds);
    report("main dialog from its template", dialogTimes);
    report("its eight hidden labels", labelTimes);
    return 0;
}
