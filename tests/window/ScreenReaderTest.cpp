#include "RunningVarnik.h"
#include "VarnikWindows.h"
#include "WindowDriver.h"

#include <oleacc.h>
#include <uiautomationclient.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a screen reader says of each edit field, asked as one asks: from another process, through
// MSAA and, where the system has it, UI Automation. Windows names an edit after the nearest static
// text before it in z-order, a search that a control with WS_GROUP and WS_TABSTOP ends. Wine's
// search is laxer (any static, visible or not, however far back), so the structure Windows needs
// is checked as well.

namespace {

// Defined here: a statically linked client got E_NOINTERFACE under Wine with the definitions of
// MinGW's import libraries.
constexpr GUID kIAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kCUIAutomation = {
    0xFF48DBA4, 0x60EF, 0x4201, {0xAA, 0x87, 0x54, 0x10, 0x3E, 0xEF, 0x59, 0x4E}};
constexpr GUID kIUIAutomation = {
    0x30CBE57D, 0xD9D0, 0x452A, {0xAB, 0x13, 0x7A, 0xC5, 0xAC, 0x48, 0x25, 0xEE}};

constexpr int kUiaEditControlType = 50004;

struct Releasing {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPointer = std::unique_ptr<Interface, Releasing>;

// The text of a BSTR, which is freed.
std::wstring taken(BSTR text) {
    std::wstring result = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

// The field's name as an MSAA client reads it; nothing when it has none.
std::optional<std::wstring> msaaNameOf(HWND field) {
    IAccessible* found = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(
        field, static_cast<DWORD>(OBJID_CLIENT), kIAccessible, reinterpret_cast<void**>(&found));
    if (FAILED(result) || found == nullptr) {
        ADD_FAILURE() << "no MSAA object, " << std::hex << result;
        return std::nullopt;
    }
    const ComPointer<IAccessible> object(found);
    VARIANT self;
    VariantInit(&self);
    V_VT(&self) = VT_I4;
    V_I4(&self) = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) != S_OK) {
        return std::nullopt;
    }
    return taken(name);
}

struct FieldName {
    int id;
    const wchar_t* name;
};

// Its group (the button's word), input or result, which coordinates, and which of the two.
const FieldName kFieldNames[] = {
    {kCorrectLongitudeIn, L"纠偏输入：地图坐标经度"},
    {kCorrectLongitudeOut, L"纠偏结果：真实坐标经度"},
    {kCorrectLatitudeIn, L"纠偏输入：地图坐标纬度"},
    {kCorrectLatitudeOut, L"纠偏结果：真实坐标纬度"},
    {kOffsetLongitudeIn, L"加偏输入：真实坐标经度"},
    {kOffsetLongitudeOut, L"加偏结果：地图坐标经度"},
    {kOffsetLatitudeIn, L"加偏输入：真实坐标纬度"},
    {kOffsetLatitudeOut, L"加偏结果：地图坐标纬度"},
};

// The program's hidden windows, in z-order.
std::vector<HWND> hiddenChildrenOf(HWND dialog) {
    std::vector<HWND> hidden;
    for (const HWND child : childrenOf(dialog)) {
        if ((styleOf(child) & WS_VISIBLE) == 0) {
            hidden.push_back(child);
        }
    }
    return hidden;
}

std::string nameForTrace(const std::optional<std::wstring>& name) {
    return name ? "\"" + utf8(*name) + "\"" : "(none)";
}

} // namespace

// One program for the suite: the cases only look, and Tab brings the focus back where it began.
class ScreenReaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        app = std::make_unique<RunningVarnik>();
    }
    static void TearDownTestSuite() {
        app.reset();
        CoUninitialize();
    }

    void SetUp() override { ASSERT_NE(app->window(), nullptr); }

    static std::unique_ptr<RunningVarnik> app;
};

std::unique_ptr<RunningVarnik> ScreenReaderTest::app;

// A start pays for no label: a field gets its own when a reader first asks for it.
TEST_F(ScreenReaderTest, AFieldIsLabelledWhenFirstAskedFor) {
    ASSERT_TRUE(hiddenChildrenOf(app->window()).empty()) << "labels made before any reader asked";
    const HWND field = app->field(kOffsetLatitudeIn);
    EXPECT_EQ(msaaNameOf(field), std::optional<std::wstring>(L"加偏输入：真实坐标纬度"));
    const std::vector<HWND> hidden = hiddenChildrenOf(app->window());
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_EQ(hidden.front(), GetWindow(field, GW_HWNDPREV));
    EXPECT_EQ(msaaNameOf(field), std::optional<std::wstring>(L"加偏输入：真实坐标纬度"));
    EXPECT_EQ(hiddenChildrenOf(app->window()).size(), 1u) << "a second label on a second ask";
}

TEST_F(ScreenReaderTest, EachFieldHasItsNameForMsaa) {
    for (const auto& [id, name] : kFieldNames) {
        const std::optional<std::wstring> read = msaaNameOf(app->field(id));
        std::printf("MSAA name of %d: %s\n", id, nameForTrace(read).c_str());
        EXPECT_EQ(read, std::optional<std::wstring>(name))
            << "field " << id << ": " << nameForTrace(read);
    }
}

TEST_F(ScreenReaderTest, EachFieldHasItsNameForUiAutomation) {
    IUnknown* created = nullptr;
    HRESULT result = CoCreateInstance(kCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&created));
    if (result == REGDB_E_CLASSNOTREG) {
        GTEST_SKIP() << "this system has no UI Automation client (CUIAutomation not registered)";
    }
    ASSERT_EQ(result, S_OK) << std::hex << result;
    const ComPointer<IUnknown> client(created);
#ifdef __IUIAutomation_INTERFACE_DEFINED__
    IUIAutomation* asked = nullptr;
    result = client->QueryInterface(kIUIAutomation, reinterpret_cast<void**>(&asked));
    ASSERT_EQ(result, S_OK) << std::hex << result;
    const ComPointer<IUIAutomation> automation(asked);
    for (const auto& [id, name] : kFieldNames) {
        SCOPED_TRACE(::testing::Message() << "field " << id);
        IUIAutomationElement* found = nullptr;
        ASSERT_EQ(automation->ElementFromHandle(app->field(id), &found), S_OK);
        ASSERT_NE(found, nullptr);
        const ComPointer<IUIAutomationElement> element(found);
        int controlType = 0;
        EXPECT_EQ(element->get_CurrentControlType(&controlType), S_OK);
        EXPECT_EQ(controlType, kUiaEditControlType);
        BSTR text = nullptr;
        ASSERT_EQ(element->get_CurrentName(&text), S_OK);
        const std::wstring read = taken(text);
        std::printf("UI Automation name of %d: \"%s\"\n", id, utf8(read).c_str());
        EXPECT_EQ(read, name) << utf8(read);
    }
#else
    FAIL() << "this system has a UI Automation client, but the MinGW-w64 headers of this build "
              "do not declare IUIAutomation: build with a MinGW-w64 whose headers do";
#endif
}

// Windows takes the label from the window directly before the field, whatever stops its search;
// a label that shows nothing, takes no tab stop, starts no group and steals no mnemonic leaves the
// window as a user sees and drives it. Nothing else of the window is hidden.
TEST_F(ScreenReaderTest, EachNameIsTheHiddenLabelDirectlyBeforeItsFieldAndNothingElseIsHidden) {
    for (const auto& [id, name] : kFieldNames) {
        msaaNameOf(app->field(id));
        SCOPED_TRACE(::testing::Message() << "field " << id);
        const HWND label = GetWindow(app->field(id), GW_HWNDPREV);
        ASSERT_NE(label, nullptr) << "nothing before the field";
        EXPECT_EQ(classNameOf(label), L"Static");
        EXPECT_EQ(textOf(label), name) << utf8(textOf(label));
        const DWORD style = styleOf(label);
        EXPECT_EQ(style & SS_TYPEMASK, DWORD{SS_LEFT}) << "a text";
        EXPECT_EQ(style & (WS_VISIBLE | WS_TABSTOP | WS_GROUP), 0u) << std::hex << style;
        EXPECT_NE(style & SS_NOPREFIX, 0u) << "no mnemonic";
    }
    EXPECT_EQ(hiddenChildrenOf(app->window()).size(), std::size(kFieldNames))
        << "hidden windows besides the labels";
}

// A keyboard user reaches the fields and buttons in template order, and Tab wraps round.
TEST_F(ScreenReaderTest, TabVisitsTheFieldsAndButtonsInOrder) {
    ASSERT_EQ(focusOf(app->threadId()), app->field(kCorrectLongitudeIn));
    for (const int next : {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1000}) {
        pressKey(focusOf(app->threadId()), VK_TAB);
        EXPECT_TRUE(waitUntil([&] { return focusOf(app->threadId()) == app->field(next); }))
            << "expected " << next << ", focus on " << GetDlgCtrlID(focusOf(app->threadId()));
    }
}
