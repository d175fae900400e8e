#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// How a user (or the program) ends the dialog, and the code DoModal returns for it.
struct Ending {
    const char* name;
    bool toEdit; // the message goes to the edit, as a key typed there does, else to the dialog
    UINT message;
    WPARAM wParam;
    INT_PTR expectedCode;
};

const Ending kEndings[] = {
    {"Enter in an edit", true, WM_KEYDOWN, VK_RETURN, IDOK},
    {"Esc in an edit", true, WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
    {"close box", false, WM_SYSCOMMAND, SC_CLOSE, IDCANCEL},
    {"WM_CLOSE", false, WM_CLOSE, 0, IDCANCEL},
    {"OK command", false, WM_COMMAND, IDOK, IDOK},
    {"Cancel command", false, WM_COMMAND, IDCANCEL, IDCANCEL},
};

TEST(DialogTest, DefaultOkAndCancelEndTheModalRunWithTheirCode) {
    for (const Ending& ending : kEndings) {
        ProbeDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
            const HWND target =
                ending.toEdit ? probe.GetDlgItem(IDC_PROBE_EDIT).m_hWnd : probe.m_hWnd;
            ::PostMessageW(target, ending.message, ending.wParam, 0);
        });
        EXPECT_EQ(ending.expectedCode, dialog.DoModal()) << ending.name;
        EXPECT_EQ(nullptr, dialog.m_hWnd) << ending.name;
    }
}

TEST(DialogTest, OnInitDialogRunsOnceBeforeTheDialogShows) {
    bool visibleInLoop = false;
    ProbeDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        visibleInLoop = ::IsWindowVisible(probe.m_hWnd) != FALSE;
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, dialog.initialisations);
    EXPECT_FALSE(dialog.visibleDuringInitialisation);
    EXPECT_TRUE(visibleInLoop);
    EXPECT_EQ(1, dialog.dataExchanges);
}

TEST(DialogTest, TemplateAtOriginOpensCentredOnTheWorkArea) {
    POINT centre{};
    ProbeDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        centre = centreOf(windowRect(probe.m_hWnd));
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    const POINT expected = centreOf(workArea());
    EXPECT_LE(std::abs(centre.x - expected.x), 1);
    EXPECT_LE(std::abs(centre.y - expected.y), 1);
}

// The template places the client area; the frame lies around it.
TEST(DialogTest, TemplateElsewhereKeepsItsPlace) {
    POINT clientOrigin{0, 0};
    RECT expected{30, 20, 0, 0};
    ProbeDialog dialog(IDD_PLACED, [&](ProbeDialog& probe) {
        ::ClientToScreen(probe.m_hWnd, &clientOrigin);
        ::MapDialogRect(probe.m_hWnd, &expected);
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(expected.left, clientOrigin.x);
    EXPECT_EQ(expected.top, clientOrigin.y);
}

TEST(DialogTest, DialogPlacedByOnInitDialogStaysThere) {
    RECT placed{};
    ProbeDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        placed = windowRect(probe.m_hWnd);
        probe.EndDialog(IDOK);
    });
    dialog.duringInitialisation = [](ProbeDialog& probe) {
        ::SetWindowPos(probe.m_hWnd, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(7, placed.left);
    EXPECT_EQ(9, placed.top);
}

// Who places a dialog opened from another, which OnInitDialog put in the corner of the screen:
// the layer centres it over its owner unless the dialog manager places it by its style.
// The dialog manager puts a DS_CENTERMOUSE dialog around the mouse pointer (Windows centres it
// there, Wine puts its corner there).
enum class Place { OverOwner, WorkAreaCentre, AroundMouse, TemplateOnScreen };

struct Placement {
    UINT templateId;
    Place expected;
};

const Placement kPlacements[] = {
    {IDD_NESTED, Place::OverOwner},        {IDD_RELATIVE, Place::OverOwner},
    {IDD_CENTRED, Place::WorkAreaCentre},  {IDD_CENTRED_ON_MOUSE, Place::AroundMouse},
    {IDD_PLACED, Place::TemplateOnScreen},
};

TEST(DialogTest, TheLayerCentresOnlyWhatTheDialogManagerDoesNotPlace) {
    const RECT area = workArea();
    // Away from the centres of the work area and of the owner.
    const POINT mouse{area.left + (area.right - area.left) * 3 / 4,
                      area.top + (area.bottom - area.top) * 3 / 4};
    for (const Placement& placement : kPlacements) {
        POINT ownerCentre{};
        RECT placed{};
        POINT clientOrigin{0, 0};
        RECT templatePlace{30, 20, 0, 0};
        ProbeDialog owner(IDD_PROBE, [&](ProbeDialog& opener) {
            ownerCentre = centreOf(windowRect(opener.m_hWnd));
            ::SetCursorPos(mouse.x, mouse.y);
            ProbeDialog nested(placement.templateId, [&](ProbeDialog& box) {
                placed = windowRect(box.m_hWnd);
                ::ClientToScreen(box.m_hWnd, &clientOrigin);
                ::MapDialogRect(box.m_hWnd, &templatePlace);
                box.EndDialog(IDOK);
            });
            nested.DoModal();
            opener.EndDialog(IDOK);
        });
        owner.duringInitialisation = [](ProbeDialog& probe) {
            ::SetWindowPos(probe.m_hWnd, nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        };
        ASSERT_EQ(IDOK, owner.DoModal()) << placement.templateId;
        const POINT centre = centreOf(placed);
        switch (placement.expected) {
        case Place::OverOwner:
            EXPECT_LE(std::abs(centre.x - ownerCentre.x), 1) << placement.templateId;
            EXPECT_LE(std::abs(centre.y - ownerCentre.y), 1) << placement.templateId;
            break;
        case Place::WorkAreaCentre:
            EXPECT_LE(std::abs(centre.x - centreOf(area).x), 1) << placement.templateId;
            EXPECT_LE(std::abs(centre.y - centreOf(area).y), 1) << placement.templateId;
            break;
        case Place::AroundMouse:
            EXPECT_TRUE(::PtInRect(&placed, mouse)) << placement.templateId;
            break;
        case Place::TemplateOnScreen:
            EXPECT_EQ(templatePlace.left, clientOrigin.x) << placement.templateId;
            EXPECT_EQ(templatePlace.top, clientOrigin.y) << placement.templateId;
            break;
        }
    }
}

// How a nested dialog (an About box opened from a handler of the main dialog) finds its owner.
enum class Owner { ApplicationMainWindow, ActiveWindow, ExplicitParent };

struct NestedRun {
    HWND parent = nullptr;
    HWND owner = nullptr;
    bool parentEnabledDuring = true;
    bool parentEnabledAfter = false;
    POINT parentCentre{};
    POINT nestedCentre{};
    INT_PTR code = 0;
};

NestedRun openNestedDialog(Owner ownerSource) {
    CWinApp app;
    NestedRun run;
    ProbeDialog parent(IDD_PROBE, [&](ProbeDialog& opener) {
        run.parent = opener.m_hWnd;
        run.parentCentre = centreOf(windowRect(opener.m_hWnd));
        ProbeDialog nested(
            IDD_NESTED,
            [&](ProbeDialog& box) {
                run.owner = ::GetWindow(box.m_hWnd, GW_OWNER);
                run.parentEnabledDuring = ::IsWindowEnabled(opener.m_hWnd) != FALSE;
                run.nestedCentre = centreOf(windowRect(box.m_hWnd));
                ::PostMessageW(box.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
            },
            ownerSource == Owner::ExplicitParent ? &opener : nullptr);
        run.code = nested.DoModal();
        run.parentEnabledAfter = ::IsWindowEnabled(opener.m_hWnd) != FALSE;
        opener.EndDialog(IDOK);
    });
    if (ownerSource == Owner::ApplicationMainWindow) {
        app.m_pMainWnd = &parent;
    }
    parent.DoModal();
    return run;
}

TEST(DialogTest, NestedDialogIsOwnedByTheOpeningDialogAndModalToIt) {
    for (const Owner ownerSource :
         {Owner::ApplicationMainWindow, Owner::ActiveWindow, Owner::ExplicitParent}) {
        const NestedRun run = openNestedDialog(ownerSource);
        const int source = static_cast<int>(ownerSource);
        EXPECT_EQ(IDOK, run.code) << source;
        EXPECT_EQ(run.parent, run.owner) << source;
        EXPECT_FALSE(run.parentEnabledDuring) << source;
        EXPECT_TRUE(run.parentEnabledAfter) << source;
        EXPECT_LE(std::abs(run.nestedCentre.x - run.parentCentre.x), 1) << source;
        EXPECT_LE(std::abs(run.nestedCentre.y - run.parentCentre.y), 1) << source;
    }
}

TEST(DialogTest, SystemMenuGainsAppendedItemsAtItsEnd) {
    ProbeDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        CMenu menu = probe.GetSystemMenu(false);
        ASSERT_NE(nullptr, menu.GetSafeHmenu());
        EXPECT_EQ(::GetSystemMenu(probe.m_hWnd, FALSE), menu.m_hMenu);
        const int count = ::GetMenuItemCount(menu.m_hMenu);

        CString text;
        ASSERT_TRUE(text.LoadString(IDS_PROBE_MENU_ITEM));
        EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 0x0010, text));

        ASSERT_EQ(count + 2, ::GetMenuItemCount(menu.m_hMenu));
        EXPECT_NE(0u, ::GetMenuState(menu.m_hMenu, count, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(0x0010u, ::GetMenuItemID(menu.m_hMenu, count + 1));
        wchar_t item[64];
        ::GetMenuStringW(menu.m_hMenu, count + 1, item, 64, MF_BYPOSITION);
        EXPECT_STREQ(L"&About the probe...", item);
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

// Each window's handle is its own, also while a dialog opened from the first one runs; revert
// gives the standard menu back and no handle.
TEST(DialogTest, EachDialogChangesOnlyItsOwnSystemMenu) {
    int standardCount = 0;
    int nestedCount = 0;
    HMENU nestedMenu = nullptr;
    HMENU openerMenu = nullptr;
    HMENU reverted = reinterpret_cast<HMENU>(1);
    int countAfterRevert = 0;
    ProbeDialog opener(IDD_PROBE, [&](ProbeDialog& probe) {
        CMenu menu = probe.GetSystemMenu(false);
        openerMenu = menu.m_hMenu;
        standardCount = ::GetMenuItemCount(menu.m_hMenu);
        menu.AppendMenu(MF_STRING, 0x0010, "Only in the opener");
        ProbeDialog nested(IDD_NESTED, [&](ProbeDialog& box) {
            nestedMenu = box.GetSystemMenu(false).m_hMenu;
            nestedCount = ::GetMenuItemCount(nestedMenu);
            box.EndDialog(IDOK);
        });
        nested.DoModal();
        reverted = probe.GetSystemMenu(true).m_hMenu;
        countAfterRevert = ::GetMenuItemCount(probe.GetSystemMenu(false).m_hMenu);
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, opener.DoModal());
    EXPECT_NE(nullptr, nestedMenu);
    EXPECT_NE(openerMenu, nestedMenu);
    EXPECT_EQ(standardCount, nestedCount);
    EXPECT_EQ(nullptr, reverted);
    EXPECT_EQ(standardCount, countAfterRevert);
}

// The label of the first control must go to the top; any other directly before its control.
TEST(DialogTest, HiddenLabelsGoDirectlyBeforeTheirControlsAndStayOutOfTheWay) {
    ProbeDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        CWnd edit = probe.GetDlgItem(IDC_PROBE_EDIT);
        CWnd button = probe.GetDlgItem(IDC_PROBE_BUTTON);
        edit.AddHiddenLabel(L"第一");
        button.AddHiddenLabel(L"&Second");

        std::vector<HWND> order;
        for (HWND child = ::GetWindow(probe.m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            order.push_back(child);
        }
        ASSERT_EQ(4u, order.size());
        EXPECT_EQ(edit.m_hWnd, order[1]);
        EXPECT_EQ(button.m_hWnd, order[3]);
        const std::pair<HWND, const wchar_t*> labels[] = {{order[0], L"第一"},
                                                          {order[2], L"&Second"}};
        for (const auto& [label, text] : labels) {
            wchar_t className[16] = {};
            ::GetClassNameW(label, className, 16);
            EXPECT_STREQ(L"Static", className);
            EXPECT_EQ(text, textOf(label));
            EXPECT_EQ(-1, ::GetDlgCtrlID(label));
            const auto style = static_cast<DWORD>(::GetWindowLongW(label, GWL_STYLE));
            EXPECT_EQ(DWORD{WS_CHILD | SS_LEFT | SS_NOPREFIX}, style) << std::hex << style;
        }
        // Tab still moves from control to control, in both directions.
        EXPECT_EQ(button.m_hWnd, ::GetNextDlgTabItem(probe.m_hWnd, edit.m_hWnd, FALSE));
        EXPECT_EQ(edit.m_hWnd, ::GetNextDlgTabItem(probe.m_hWnd, button.m_hWnd, FALSE));
        EXPECT_EQ(edit.m_hWnd, ::GetNextDlgTabItem(probe.m_hWnd, button.m_hWnd, TRUE));
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

// Prepared once, on the first request, before the control answers it; the control goes on
// answering every message as before.
int g_preparations = 0;
LRESULT g_textLengthWhenPrepared = -1;

void notePreparation(CWnd control) {
    ++g_preparations;
    g_textLengthWhenPrepared = control.SendMessage(WM_GETTEXTLENGTH);
}

TEST(DialogTest, AControlIsPreparedOnceOnTheFirstAccessibilityRequest) {
    ProbeDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        CWnd edit = probe.GetDlgItem(IDC_PROBE_EDIT);
        edit.SetWindowText("12.5");
        edit.PrepareOnFirstAccessibilityRequest(&notePreparation);
        EXPECT_EQ(0, g_preparations) << "before any request";
        EXPECT_EQ(4, edit.SendMessage(WM_GETTEXTLENGTH));
        EXPECT_EQ(0, g_preparations) << "other messages prepare nothing";
        edit.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        EXPECT_EQ(1, g_preparations);
        EXPECT_EQ(4, g_textLengthWhenPrepared);
        edit.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        EXPECT_EQ(1, g_preparations) << "prepared again on a second request";
        EXPECT_EQ(IDC_PROBE_EDIT, edit.GetDlgCtrlID());
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

} // namespace
