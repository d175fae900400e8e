#include "DialogTemplateCheck.h"
#include "InsideView.h"
#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <memory>

// The main dialog as it opens, seen from outside. The tests only look, so they share one program.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = std::make_unique<RunningVarnik>(); }
    static void TearDownTestSuite() { app.reset(); }

    void SetUp() override { ASSERT_NE(app->window(), nullptr); }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> MainWindowTest::app;

TEST_F(MainWindowTest, CaptionIsTheToolsName) {
    EXPECT_EQ(textOf(app->window()), kMainCaption);
}

TEST_F(MainWindowTest, IsAFixedSizeModalFrameWithOnlyACloseBox) {
    expectFixedModalFrame(app->window());
    EXPECT_EQ(extendedStyleOf(app->window()) & WS_EX_APPWINDOW, DWORD{WS_EX_APPWINDOW})
        << "a taskbar button";
}

TEST_F(MainWindowTest, ClientAreaIsTheTemplateSizeInItsFont) {
    expectClientSize(app->window(), kMainDialogUnits,
                     dialogBaseUnits(kDialogFont, kDialogFontPoints));
}

TEST_F(MainWindowTest, OpensCentredOnTheWorkArea) {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT window{};
    GetWindowRect(app->window(), &window);
    EXPECT_NEAR(window.left - workArea.left, workArea.right - window.right, 1);
    EXPECT_NEAR(window.top - workArea.top, workArea.bottom - window.bottom, 1);
}

TEST_F(MainWindowTest, ControlsFollowTheTemplate) {
    using K = ControlKind;
    const std::vector<ExpectedControl> controls = {
        {K::GroupBox, -1, L"纠偏（地图经纬度坐标到真实经纬度坐标）", 10, 6, 323, 61},
        {K::Edit, kCorrectLongitudeIn, L"113.545324", 54, 23, 108, 14},
        {K::Edit, kCorrectLongitudeOut, L"", 209, 22, 108, 14},
        {K::PushButton, kCorrectButton, L"纠偏", 169, 32, 32, 14},
        {K::Text, -1, L"经度：", 26, 25, 24, 8},
        {K::Text, -1, L"纬度：", 26, 46, 25, 8},
        {K::Edit, kCorrectLatitudeIn, L"23.515146", 55, 44, 108, 14},
        {K::Edit, kCorrectLatitudeOut, L"", 210, 44, 108, 14},
        {K::GroupBox, -1, L"加偏（真实经纬度坐标到地图经纬度坐标）", 10, 84, 323, 61},
        {K::Edit, kOffsetLongitudeIn, L"113.540124", 54, 101, 108, 14},
        {K::Edit, kOffsetLongitudeOut, L"", 209, 100, 108, 14},
        {K::PushButton, kOffsetButton, L"加偏", 169, 110, 32, 14},
        {K::Text, -1, L"经度：", 26, 103, 24, 8},
        {K::Text, -1, L"纬度：", 26, 124, 25, 8},
        {K::Edit, kOffsetLatitudeIn, L"23.517846", 55, 122, 108, 14},
        {K::Edit, kOffsetLatitudeOut, L"", 210, 122, 108, 14},
        {K::Text, -1,
         L"注：1.本工具适用于谷歌地图、腾讯搜搜地图、阿里云地图、高德地图、灵图51ditu地图", 15, 155,
         313, 8},
        {K::Text, -1, L"2.本工具不适用于百度地图，如需百度地图完美离线纠偏加偏工具请与作者联系", 31,
         173, 280, 8},
        {K::Text, -1, L"3.如需更进一步的服务，如地图纠偏加偏算法（可提供DLL）等，请与作者联系", 31,
         191, 301, 8},
        {K::Text, -1, nullptr, 31, 207, 218, 8}, // the maker's contact line
    };
    expectControls(app->window(), kMainDialogUnits, controls);
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
