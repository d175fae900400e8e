#include "DialogTemplateCheck.h"

#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

DialogUnits dialogBaseUnits(const wchar_t* face, int points) {
    HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font =
        CreateFontW(-pixels, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE, face);
    HGDIOBJ previous = SelectObject(screen, font);
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPoint32W(screen, kLetters, 52, &letters);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

void expectFixedModalFrame(HWND dialog) {
    const DWORD style = styleOf(dialog);
    const DWORD required = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    const DWORD excluded = WS_CHILD | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
    EXPECT_EQ(style & required, required) << std::hex << "missing styles " << (required & ~style);
    EXPECT_EQ(style & excluded, 0u) << std::hex << "unexpected styles " << (style & excluded);
}

void expectClientSize(HWND dialog, SIZE templateSize, DialogUnits baseUnits) {
    const SIZE client = clientSizeOf(dialog);
    EXPECT_NEAR(client.cx, MulDiv(templateSize.cx, baseUnits.x, 4), 1) << "client width";
    EXPECT_NEAR(client.cy, MulDiv(templateSize.cy, baseUnits.y, 8), 1) << "client height";
}

namespace {

const wchar_t* classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return L"Edit";
    case ControlKind::Text:
    case ControlKind::TextNoPrefix:
    case ControlKind::Icon:
        return L"Static";
    default:
        return L"Button";
    }
}

bool has(DWORD style, DWORD bits) {
    return (style & bits) == bits;
}

void expectStyles(HWND control, ControlKind kind) {
    const DWORD style = styleOf(control);
    EXPECT_TRUE(has(style, WS_CHILD | WS_VISIBLE)) << "a visible child";
    const bool tabStop = kind == ControlKind::Edit || kind == ControlKind::PushButton ||
                         kind == ControlKind::DefaultPushButton;
    EXPECT_EQ(has(style, WS_TABSTOP), tabStop) << "tab stop";
    switch (kind) {
    case ControlKind::GroupBox:
        EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
        break;
    case ControlKind::Edit:
        EXPECT_TRUE(has(style, ES_AUTOHSCROLL)) << "scrolls as text is typed";
        EXPECT_FALSE(has(style, ES_READONLY)) << "editable";
        EXPECT_FALSE(has(style, ES_MULTILINE)) << "one line";
        // The template's border becomes a sunken client edge when the edit is created.
        EXPECT_TRUE(has(extendedStyleOf(control), WS_EX_CLIENTEDGE)) << "border";
        break;
    case ControlKind::PushButton:
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "a plain, not a default, push button";
        break;
    case ControlKind::DefaultPushButton:
        EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_TRUE(has(style, WS_GROUP)) << "starts a group";
        break;
    case ControlKind::Text:
    case ControlKind::TextNoPrefix:
        EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT) << "left-aligned text";
        EXPECT_TRUE(has(style, WS_GROUP)) << "starts a group";
        EXPECT_EQ(has(style, SS_NOPREFIX), kind == ControlKind::TextNoPrefix) << "no prefix";
        break;
    case ControlKind::Icon:
        EXPECT_EQ(style & SS_TYPEMASK, SS_ICON);
        break;
    }
}

} // namespace

void expectControls(HWND dialog, SIZE templateSize, const std::vector<ExpectedControl>& expected) {
    const SIZE client = clientSizeOf(dialog);
    const double pixelsPerUnitX = static_cast<double>(client.cx) / templateSize.cx;
    const double pixelsPerUnitY = static_cast<double>(client.cy) / templateSize.cy;
    const auto pixelsX = [&](int units) { return std::lround(units * pixelsPerUnitX); };
    const auto pixelsY = [&](int units) { return std::lround(units * pixelsPerUnitY); };

    const std::vector<HWND> children = visibleChildrenOf(dialog);
    ASSERT_EQ(children.size(), expected.size()) << "number of controls";
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& want = expected[i];
        const HWND control = children[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        EXPECT_EQ(classNameOf(control), classOf(want.kind));
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        const std::wstring text = textOf(control);
        if (want.text != nullptr) {
            EXPECT_EQ(text, want.text) << narrow(text);
        } else if (want.kind != ControlKind::Icon) {
            EXPECT_FALSE(text.empty());
        }

        const RECT rect = rectInParent(control);
        EXPECT_NEAR(rect.left, pixelsX(want.left), 1) << "left";
        EXPECT_NEAR(rect.top, pixelsY(want.top), 1) << "top";
        if (want.kind != ControlKind::Icon) {
            EXPECT_NEAR(widthOf(rect), pixelsX(want.width), 1) << "width";
            EXPECT_NEAR(heightOf(rect), pixelsY(want.height), 1) << "height";
        }
        expectStyles(control, want.kind);
    }
}
