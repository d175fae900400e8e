#include "DialogTemplateCheck.h"
#include "InsideView.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

enum class Dismissal { OkButton, EnterKey, EscapeKey };

// Where the main dialog is when the About command reaches it.
enum class MainDialog { InFront, BehindAnotherProgram, Minimised, MostlyOffTheWorkArea };

struct OwnerCase {
    const char* name;
    MainDialog where;
};

} // namespace

// The system menu's About entry and the About box. One program serves the suite; every test
// leaves it with the About box closed.
class AboutBoxTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { app.reset(); }

    // A case that failed half-way may have left a box open or the program hung.
    void SetUp() override {
        startUnlessAnswering(app);
        ASSERT_NE(app->window(), nullptr);
        app->closeSecondDialogs();
    }

    // Chooses the system-menu command with this id and returns the About box it opened, or null.
    static HWND openWith(UINT command) {
        PostMessageW(app->window(), WM_SYSCOMMAND, command, 0);
        return app->waitForSecondDialog();
    }

    static void dismiss(HWND about, Dismissal how) {
        switch (how) {
        case Dismissal::OkButton:
            click(GetDlgItem(about, IDOK));
            break;
        case Dismissal::EnterKey:
            pressKey(focusOf(app->threadId()), VK_RETURN);
            break;
        case Dismissal::EscapeKey:
            pressKey(focusOf(app->threadId()), VK_ESCAPE);
            break;
        }
        EXPECT_TRUE(waitUntil([about] { return !IsWindow(about); })) << "the About box stayed";
        EXPECT_TRUE(waitUntil([] { return IsWindowEnabled(app->window()) != FALSE; }))
            << "the main dialog stayed disabled";
    }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> AboutBoxTest::app;

// Wine adds items of its own to system menus, so only the end of the menu is ours to check.
TEST_F(AboutBoxTest, SystemMenuEndsWithASeparatorAndTheAboutEntry) {
    const auto view = readInsideView(app->window());
    ASSERT_TRUE(view.has_value()) << "the system menu could not be read";
    ASSERT_TRUE(view->hasSystemMenu);
    const std::vector<MenuItem>& items = view->systemMenu;
    ASSERT_GE(items.size(), 2u);
    const MenuItem& separator = items[items.size() - 2];
    const MenuItem& about = items.back();
    EXPECT_TRUE(separator.separator);
    EXPECT_FALSE(about.separator);
    EXPECT_EQ(about.id, kAboutCommand);
    EXPECT_EQ(about.text, compiledStringOf(kAboutEntryString));
}

// As a user chooses the entry: Alt+Space drops the system menu down, Up wraps to its last item,
// Enter chooses it.
TEST_F(AboutBoxTest, OpensFromTheSystemMenuWithTheKeyboard) {
    pressAltKey(focusOf(app->threadId()), VK_SPACE);
    if (!waitUntil([] { return shownWindowOfThread(app->threadId(), L"#32768") != nullptr; })) {
        pressKey(app->window(), VK_ESCAPE); // leaves whatever menu mode there is
        FAIL() << "the system menu did not drop down";
    }
    pressKey(app->window(), VK_UP);
    pressKey(app->window(), VK_RETURN);
    const HWND about = app->waitForSecondDialog();
    ASSERT_NE(about, nullptr) << "no About box";
    dismiss(about, Dismissal::EscapeKey);
}

// Every command id that masks (& 0xFFF0) to the About command opens the box, whatever its other
// bits hold; a sample of other ids below the system's own commands (0xF000 and up), which the
// default handling ignores, opens none (a box would keep the send from returning).
TEST_F(AboutBoxTest, OpensForExactlyTheCommandIdsThatMaskToTheAboutCommand) {
    std::vector<UINT> commands;
    for (UINT low = kAboutCommand; low <= (kAboutCommand | 0xF); ++low) {
        commands.push_back(low);
    }
    for (const UINT upper : {0x00010000u, 0x7FFF0000u, 0xA5A50000u, 0xFFFF0000u}) {
        commands.push_back(upper | 0x0010);
        commands.push_back(upper | 0x001F);
    }
    for (const UINT command : commands) {
        SCOPED_TRACE(::testing::Message() << "command id 0x" << std::hex << command);
        const HWND about = openWith(command);
        ASSERT_NE(about, nullptr) << "no About box";
        dismiss(about, Dismissal::EscapeKey);
    }
    for (const UINT command : {0x0000u, 0x0001u, 0x000Fu, 0x0020u, 0x002Fu, 0x0030u, 0x0110u,
                               0x1010u, 0x8010u, 0xE010u, 0x00010020u, 0xFFFF000Fu, 0x10100000u}) {
        SCOPED_TRACE(::testing::Message() << "command id 0x" << std::hex << command);
        EXPECT_TRUE(sendWithin(app->window(), WM_SYSCOMMAND, command, 0))
            << "the command did not return";
        EXPECT_EQ(dialogsOf(app->processId()).size(), 1u) << "a second dialog opened";
        app->closeSecondDialogs();
    }
}

TEST_F(AboutBoxTest, FollowsItsTemplateWithTheFocusOnOk) {
    const HWND about = openWith(kAboutCommand);
    ASSERT_NE(about, nullptr);

    expectFollowsItsTemplate(about, kAboutBoxTemplate);
    EXPECT_EQ(focusOf(app->threadId()), GetDlgItem(about, IDOK)) << "focus";

    dismiss(about, Dismissal::OkButton);
}

TEST_F(AboutBoxTest, ClosesWithOkEnterOrEscapeAnyNumberOfTimesLeavingTheFields) {
    for (const int id : kEditFields) {
        setTextOf(app->field(id), L"field " + std::to_wstring(id));
    }
    const auto before = app->fieldTexts();
    for (int cycle = 1; cycle <= 5; ++cycle) {
        for (const Dismissal how :
             {Dismissal::OkButton, Dismissal::EnterKey, Dismissal::EscapeKey}) {
            SCOPED_TRACE(::testing::Message()
                         << "cycle " << cycle << ", dismissal " << static_cast<int>(how));
            const HWND about = openWith(kAboutCommand);
            ASSERT_NE(about, nullptr);
            dismiss(about, how);
        }
    }
    EXPECT_EQ(app->fieldTexts(), before);
    EXPECT_TRUE(app->answers());
}

// The box belongs to the main dialog wherever that is when the command arrives (the taskbar's
// window menu sends it to a window behind another program's or minimised): the main dialog is
// disabled while the box shows, and the box is centred over it, or on the work area while it is
// minimised, and kept on the work area when the main dialog was dragged mostly off it.
TEST_F(AboutBoxTest, BelongsToTheMainDialogWhereverThatIs) {
    const HWND main = app->window();
    for (const OwnerCase& test :
         {OwnerCase{"in front", MainDialog::InFront},
          OwnerCase{"behind another program", MainDialog::BehindAnotherProgram},
          OwnerCase{"minimised", MainDialog::Minimised},
          OwnerCase{"mostly off the work area", MainDialog::MostlyOffTheWorkArea}}) {
        SCOPED_TRACE(test.name);
        RECT workArea{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        RECT placed{};
        GetWindowRect(main, &placed);
        if (test.where == MainDialog::MostlyOffTheWorkArea) {
            ASSERT_TRUE(SetWindowPos(main, nullptr, workArea.right - 40, workArea.bottom - 40, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        }
        std::optional<WindowInFront> other;
        if (test.where == MainDialog::BehindAnotherProgram) {
            other.emplace();
            ASSERT_EQ(GetForegroundWindow(), other->window()) << "the other window is not in front";
        }
        if (test.where == MainDialog::Minimised) {
            // The modal loop's first idle shows its dialog, which can undo an early minimise.
            ASSERT_TRUE(waitUntil([main] {
                return IsIconic(main) != FALSE ||
                       (sendWithin(main, WM_SYSCOMMAND, SC_MINIMIZE, 0) && IsIconic(main));
            })) << "not minimised";
        }
        const HWND about = openWith(kAboutCommand);
        ASSERT_NE(about, nullptr);

        EXPECT_EQ(GetWindow(about, GW_OWNER), main) << "owner";
        EXPECT_FALSE(IsWindowEnabled(main)) << "the main dialog is disabled while the box shows";
        RECT centreOn = workArea;
        if (test.where != MainDialog::Minimised) {
            GetWindowRect(main, &centreOn);
        }
        RECT box{};
        GetWindowRect(about, &box);
        if (test.where == MainDialog::MostlyOffTheWorkArea) {
            RECT onWorkArea{};
            IntersectRect(&onWorkArea, &box, &workArea);
            EXPECT_TRUE(EqualRect(&onWorkArea, &box))
                << "the box at " << box.left << "," << box.top << " to " << box.right << ","
                << box.bottom << " leaves the work area";
        } else {
            EXPECT_NEAR(box.left + box.right, centreOn.left + centreOn.right, 2)
                << "centred across";
            EXPECT_NEAR(box.top + box.bottom, centreOn.top + centreOn.bottom, 2) << "centred down";
        }

        dismiss(about, Dismissal::OkButton);
        if (test.where == MainDialog::Minimised) {
            EXPECT_TRUE(sendWithin(main, WM_SYSCOMMAND, SC_RESTORE, 0));
            EXPECT_TRUE(waitUntil([main] { return IsIconic(main) == FALSE; })) << "not restored";
        }
        if (test.where == MainDialog::MostlyOffTheWorkArea) {
            SetWindowPos(main, nullptr, placed.left, placed.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}
