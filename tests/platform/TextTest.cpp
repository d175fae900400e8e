#include "Afx.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT kChineseCodePage = 936;
// "纠偏加偏" in UTF-16 and in code page 936 (GBK).
const wchar_t kChineseWide[] = L"\u7EA0\u504F\u52A0\u504F";
const char kChineseNarrow[] = "\xBE\xC0\xC6\xAB\xBC\xD3\xC6\xAB";
constexpr int kBufferSize = 100; // the conversion commands' field buffer

std::wstring wideTextOf(HWND window) {
    wchar_t text[256];
    return std::wstring(text, static_cast<std::size_t>(::GetWindowTextW(window, text, 256)));
}

// The narrow text operations on a real edit, in the ANSI code page of a Chinese system.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(kChineseCodePage, ::GetACP())
            << "run with LC_ALL=zh_CN.UTF-8: Wine takes the ANSI code page from it";
        field.m_hWnd = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 20,
                                         nullptr, nullptr, afx::moduleInstance(), nullptr);
        ASSERT_NE(nullptr, field.m_hWnd);
    }
    void TearDown() override { ::DestroyWindow(field.m_hWnd); }

    CWnd field;
};

struct RoundTrip {
    const char* narrow;
    const wchar_t* wide; // what the edit holds
};

const RoundTrip kRoundTrips[] = {
    {"113.540124", L"113.540124"},   {"", L""},
    {" -1.5e3x", L" -1.5e3x"},       {kChineseNarrow, kChineseWide},
    {"23.5\xBE\xC0", L"23.5\u7EA0"},
};

TEST_F(TextTest, NarrowTextRoundTripsThroughAnEditInTheAnsiCodePage) {
    for (const RoundTrip& trip : kRoundTrips) {
        field.SetWindowText(trip.narrow);
        EXPECT_EQ(trip.wide, wideTextOf(field.m_hWnd)) << trip.narrow;
        char buffer[kBufferSize];
        const int length = field.GetWindowText(buffer, kBufferSize);
        EXPECT_EQ(std::string(trip.narrow), buffer);
        EXPECT_EQ(static_cast<int>(std::string(trip.narrow).size()), length) << trip.narrow;
    }
}

TEST_F(TextTest, LongTextIsCutToTheBufferLessItsNul) {
    field.SetWindowText(std::string(150, '7').c_str());
    char buffer[kBufferSize];
    EXPECT_EQ(kBufferSize - 1, field.GetWindowText(buffer, kBufferSize));
    EXPECT_EQ(std::string(kBufferSize - 1, '7'), buffer);

    char small[4];
    EXPECT_EQ(3, field.GetWindowText(small, 4));
    EXPECT_STREQ("777", small);
}

TEST_F(TextTest, StringsLoadInTheAnsiCodePage) {
    CString text;
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(text.LoadString(IDS_PROBE_MENU_ITEM));
    EXPECT_STREQ("&About the probe...", text);
    ASSERT_TRUE(text.LoadString(IDS_CHINESE));
    EXPECT_STREQ(kChineseNarrow, text);
}

TEST_F(TextTest, MissingStringLeavesTheTextAsItWas) {
    CString text;
    EXPECT_FALSE(text.LoadString(IDS_MISSING));
    EXPECT_TRUE(text.IsEmpty());
    ASSERT_TRUE(text.LoadString(IDS_PROBE_MENU_ITEM));
    EXPECT_FALSE(text.LoadString(IDS_MISSING));
    EXPECT_STREQ("&About the probe...", text);
}

} // namespace
