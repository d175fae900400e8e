#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The common controls' subclassing through the layer: several hooks on one control, each with
// data of its own, passed through in turn to the control's own procedure.

namespace {

constexpr UINT kNoted = WM_APP + 1;
std::vector<std::string> g_seen;

LRESULT CALLBACK noteAndPassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) {
    if (message == kNoted) {
        g_seen.push_back(std::to_string(id) + ":" + reinterpret_cast<const char*>(data));
    }
    return CWnd(window).DefSubclassProc(message, wParam, lParam);
}

TEST(SubclassTest, EachHookSeesTheMessageWithItsDataAndPassesItOn) {
    ProbeDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        CWnd edit = probe.GetDlgItem(IDC_PROBE_EDIT);
        edit.SetWindowText("12.5");
        EXPECT_TRUE(edit.SetWindowSubclass(&noteAndPassOn, 1, reinterpret_cast<DWORD_PTR>("one")));
        EXPECT_TRUE(edit.SetWindowSubclass(&noteAndPassOn, 2, reinterpret_cast<DWORD_PTR>("two")));
        g_seen.clear();
        edit.SendMessage(kNoted);
        EXPECT_EQ(g_seen, (std::vector<std::string>{"2:two", "1:one"})) << "the last set first";
        EXPECT_EQ(4, edit.SendMessage(WM_GETTEXTLENGTH)) << "the edit's own answer";

        EXPECT_TRUE(edit.RemoveWindowSubclass(&noteAndPassOn, 2));
        EXPECT_FALSE(edit.RemoveWindowSubclass(&noteAndPassOn, 2)) << "removed twice";
        g_seen.clear();
        edit.SendMessage(kNoted);
        EXPECT_EQ(g_seen, std::vector<std::string>{"1:one"});
        EXPECT_TRUE(edit.RemoveWindowSubclass(&noteAndPassOn, 1));
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

// Regression: the hook kept one preparation for the process, so every control got the one set
// last.
std::vector<int> g_preparedWith1;
std::vector<int> g_preparedWith2;

TEST(SubclassTest, EachControlKeepsItsOwnAccessibilityPreparation) {
    ProbeDialog dialog(IDD_CONVERSION, [](ProbeDialog& probe) {
        CWnd first = probe.GetDlgItem(1000);
        CWnd second = probe.GetDlgItem(1003);
        first.PrepareOnFirstAccessibilityRequest(
            [](CWnd control) { g_preparedWith1.push_back(control.GetDlgCtrlID()); });
        second.PrepareOnFirstAccessibilityRequest(
            [](CWnd control) { g_preparedWith2.push_back(control.GetDlgCtrlID()); });
        first.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        second.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        EXPECT_EQ(g_preparedWith1, std::vector<int>{1000});
        EXPECT_EQ(g_preparedWith2, std::vector<int>{1003});
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

} // namespace
