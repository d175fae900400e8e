#include "InsideView.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

// Every static text, group-box caption and button caption of both dialogs fits its control in the
// dialog's own font, measured inside the program at the display's DPI. The test scripts run this
// suite at each DPI in turn (VARNIK_WINE_DPI). Windows's fonts are not the test fonts, so the
// texts whose wording is ours keep spare width.

namespace {

// The share of its room that a text may fill.
constexpr double kWholeWidth = 1.0;
constexpr double kWidthForOurWording = 0.9;

// Pixels at 96 DPI that a caption cannot use on each side: a group box's caption starts past its
// frame's corner; a push button's caption stays inside its edge and focus rectangle.
constexpr int kGroupBoxIndent = 7;
constexpr int kButtonMargin = 3;

// Template positions, counted from 0, of the texts whose wording is ours: the main dialog's last
// note line and the About box's notice.
constexpr size_t kOurNoteLine = 19;
constexpr size_t kOurNotice = 2;

enum class Kind { Text, GroupBox, Button, Other };

Kind kindOf(const ControlText& control) {
    if (control.className == L"Static") {
        return (control.style & SS_TYPEMASK) <= SS_RIGHT ? Kind::Text : Kind::Other;
    }
    if (control.className == L"Button") {
        switch (control.style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return Kind::GroupBox;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return Kind::Button;
        default:
            return Kind::Other;
        }
    }
    return Kind::Other;
}

// The width in pixels that the control leaves its text.
LONG roomFor(const ControlText& control, Kind kind, int dpi) {
    switch (kind) {
    case Kind::GroupBox:
        return control.client.cx - 2 * MulDiv(kGroupBoxIndent, dpi, 96);
    case Kind::Button:
        return control.client.cx - 2 * MulDiv(kButtonMargin, dpi, 96);
    default:
        return control.client.cx;
    }
}

// The DPI the session asked Wine for, or 0 when it asked for none.
int sessionDpi() {
    wchar_t value[16] = {};
    return GetEnvironmentVariableW(L"VARNIK_WINE_DPI", value, 16) != 0 ? _wtoi(value) : 0;
}

// Checks the dialog's texts, and prints what share of its room each one fills.
void expectTextsFit(HWND dialog, const char* name, const std::set<size_t>& ourWording) {
    const auto view = readInsideView(dialog);
    ASSERT_TRUE(view.has_value()) << "the texts could not be measured";
    if (sessionDpi() != 0) {
        EXPECT_EQ(view->dpi, sessionDpi()) << "the DPI that the program sees";
    }
    size_t measured = 0;
    for (size_t i = 0; i < view->controls.size(); ++i) {
        const ControlText& control = view->controls[i];
        const Kind kind = kindOf(control);
        if (kind == Kind::Other) {
            continue;
        }
        ++measured;
        SCOPED_TRACE(::testing::Message() << name << " control #" << i + 1 << " \""
                                          << utf8(control.text) << "\" at " << view->dpi << " DPI");
        const LONG room = roomFor(control, kind, view->dpi);
        const double filled = static_cast<double>(control.extent.cx) / room;
        std::printf("%d DPI, %s #%zu: %ld of %ld px, %.1f %%\n", view->dpi, name, i + 1,
                    control.extent.cx, room, 100 * filled);
        EXPECT_TRUE(control.usesDialogFont);
        EXPECT_LE(filled, ourWording.count(i) != 0 ? kWidthForOurWording : kWholeWidth)
            << control.extent.cx << " px of text in " << room << " px";
        EXPECT_LE(control.extent.cy, control.client.cy) << "text height";
    }
    EXPECT_GT(measured, ourWording.size()) << "too few texts found";
}

} // namespace

// One program for the suite; the About box is closed again after its case.
class TextFitTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { app.reset(); }

    void SetUp() override {
        startUnlessAnswering(app);
        ASSERT_NE(app->window(), nullptr);
        app->closeSecondDialogs();
    }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> TextFitTest::app;

TEST_F(TextFitTest, MainDialogTextsFitTheirControls) {
    expectTextsFit(app->window(), "main dialog", {kOurNoteLine});
}

TEST_F(TextFitTest, AboutBoxTextsFitTheirControls) {
    PostMessageW(app->window(), WM_SYSCOMMAND, kAboutCommand, 0);
    const HWND about = app->waitForSecondDialog();
    ASSERT_NE(about, nullptr) << "no About box";
    expectTextsFit(about, "About box", {kOurNotice});
    app->closeSecondDialogs();
}
