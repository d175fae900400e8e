#include "DialogTemplateCheck.h"
#include "InsideView.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

// The main dialog as it opens, seen from outside. The tests only look, so they share one program.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = std::make_unique<RunningVarnik>(); }
    static void TearDownTestSuite() { app.reset(); }

    void SetUp() override { ASSERT_NE(app->window(), nullptr); }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> MainWindowTest::app;

TEST_F(MainWindowTest, FollowsItsTemplate) {
    expectFollowsItsTemplate(app->window(), kMainDialogTemplate);
}

TEST_F(MainWindowTest, OpensCentredOnTheWorkArea) {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT window{};
    GetWindowRect(app->window(), &window);
    EXPECT_NEAR(window.left - workArea.left, workArea.right - window.right, 1);
    EXPECT_NEAR(window.top - workArea.top, workArea.bottom - window.bottom, 1);
}

// The program fills the inputs with a sample point of the correction and of the offset.
TEST_F(MainWindowTest, OpensWithASamplePointInEachGroupAndNoResults) {
    const std::pair<int, const wchar_t*> kOpeningTexts[] = {
        {kCorrectLongitudeIn, L"113.545324"},
        {kCorrectLatitudeIn, L"23.515146"},
        {kCorrectLatitudeOut, L""},
        {kCorrectLongitudeOut, L""},
        {kOffsetLongitudeIn, L"113.540124"},
        {kOffsetLatitudeIn, L"23.517846"},
        {kOffsetLatitudeOut, L""},
        {kOffsetLongitudeOut, L""},
    };
    for (const auto& [id, text] : kOpeningTexts) {
        EXPECT_EQ(textOf(app->field(id)), text) << "field " << id;
    }
}

TEST_F(MainWindowTest, FocusIsOnTheCorrectionLongitude) {
    EXPECT_EQ(focusOf(app->threadId()), app->field(kCorrectLongitudeIn));
}

// WM_GETICON answers 0 across processes under Wine, so the icons are read inside the program.
TEST_F(MainWindowTest, CarriesTheApplicationIconBigAndSmall) {
    const auto view = readInsideView(app->window());
    ASSERT_TRUE(view.has_value()) << "the icons could not be read";
    EXPECT_NE(view->bigIcon, 0u);
    EXPECT_EQ(view->smallIcon, view->bigIcon) << "one icon for both sizes";
}
