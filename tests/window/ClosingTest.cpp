#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Closing { EnterInAnInputField, EscapeKey, CloseBox, AltF4 };

struct ClosingCase {
    const char* name;
    Closing how;
};

void PrintTo(const ClosingCase& test, std::ostream* out) {
    *out << test.name;
}

// What a user sees of a freshly opened program.
struct OpeningState {
    std::wstring caption;
    RECT frame;
    std::vector<std::wstring> controlTexts;
    int focusId;

    bool operator==(const OpeningState& other) const {
        return caption == other.caption && EqualRect(&frame, &other.frame) &&
               controlTexts == other.controlTexts && focusId == other.focusId;
    }
};

OpeningState openingStateOf(const RunningVarnik& app) {
    OpeningState state{textOf(app.window()), {}, {}, GetDlgCtrlID(focusOf(app.threadId()))};
    GetWindowRect(app.window(), &state.frame);
    for (const HWND control : visibleChildrenOf(app.window())) {
        state.controlTexts.push_back(textOf(control));
    }
    return state;
}

} // namespace

// Each way of closing the main dialog ends the process, with exit code 0.
class ClosingTest : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingTest, EndsTheProgram) {
    RunningVarnik app;
    ASSERT_NE(app.window(), nullptr);
    // The focus starts in the correction group's longitude field, an input field.
    const HWND focus = focusOf(app.threadId());
    ASSERT_EQ(focus, app.field(kCorrectLongitudeIn));
    switch (GetParam().how) {
    case Closing::EnterInAnInputField:
        pressKey(focus, VK_RETURN);
        break;
    case Closing::EscapeKey:
        pressKey(focus, VK_ESCAPE);
        break;
    case Closing::CloseBox:
        PostMessageW(app.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Closing::AltF4:
        // The default window procedure turns F4 with the Alt bit into the close command.
        pressAltKey(focus, VK_F4);
        break;
    }
    const auto exitCode = app.waitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "still running";
    EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTest,
                         ::testing::Values(ClosingCase{"EnterInAnInputField",
                                                       Closing::EnterInAnInputField},
                                           ClosingCase{"EscapeKey", Closing::EscapeKey},
                                           ClosingCase{"CloseBox", Closing::CloseBox},
                                           ClosingCase{"AltF4", Closing::AltF4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineTest, ArgumentsChangeNothing) {
    OpeningState plain{};
    {
        RunningVarnik app;
        ASSERT_NE(app.window(), nullptr);
        plain = openingStateOf(app);
    }
    for (const wchar_t* arguments :
         {L"/?", L"/p /dde /embedding", L"\"C:\\no such folder\\points.txt\" 113.5 23.5"}) {
        SCOPED_TRACE(utf8(arguments));
        RunningVarnik app(arguments);
        ASSERT_NE(app.window(), nullptr);
        EXPECT_TRUE(openingStateOf(app) == plain) << "the window opened differently";
    }
}
