#include "DialogTemplateCheck.h"

#include "DialogTemplate.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwctype>
#include <string>

namespace {

// Dialog base units of a template font as the dialog manager derives them: the average width of
// the Latin letters and the height of the font. A dialog unit is a quarter of the first and an
// eighth of the second.
SIZE dialogBaseUnits(const std::wstring& face, int points) {
    HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_DONTCARE,
                             face.c_str());
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

// The predefined classes by atom or by name, in lower case as the dialog manager matches them.
std::wstring classOf(const NameOrOrdinal& windowClass) {
    switch (windowClass.number) {
    case 0x0080:
        return L"button";
    case 0x0081:
        return L"edit";
    case 0x0082:
        return L"static";
    default:
        return windowClass.name;
    }
}

std::wstring lowercase(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

void expectItem(HWND control, const DialogItem& item, double pixelsPerUnitX,
                double pixelsPerUnitY) {
    const std::wstring windowClass = lowercase(classOf(item.windowClass));
    EXPECT_EQ(lowercase(classNameOf(control)), windowClass);
    EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(item.id));
    if (item.text.number != 0) {
        LRESULT icon = 0;
        EXPECT_TRUE(sendWithin(control, STM_GETICON, 0, 0, &icon));
        EXPECT_NE(icon, 0) << "the static shows no icon";
    } else if (windowClass != L"edit") {
        EXPECT_EQ(textOf(control), item.text.name) << utf8(textOf(control));
    }

    const RECT rect = rectInParent(control);
    EXPECT_NEAR(rect.left, std::lround(item.x * pixelsPerUnitX), 1) << "left";
    EXPECT_NEAR(rect.top, std::lround(item.y * pixelsPerUnitY), 1) << "top";
    // An icon's static sizes itself to the icon.
    if (item.text.number == 0) {
        EXPECT_NEAR(widthOf(rect), std::lround(item.cx * pixelsPerUnitX), 1) << "width";
        EXPECT_NEAR(heightOf(rect), std::lround(item.cy * pixelsPerUnitY), 1) << "height";
    }

    // The dialog manager creates every child with WS_EX_NOPARENTNOTIFY, and an edit field's
    // border becomes a sunken client edge.
    DWORD style = item.style;
    DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    if (windowClass == L"edit" && (style & WS_BORDER) != 0) {
        style &= ~WS_BORDER;
        exStyle |= WS_EX_CLIENTEDGE;
    }
    EXPECT_EQ(styleOf(control), style) << std::hex << "style";
    EXPECT_EQ(extendedStyleOf(control), exStyle) << std::hex << "extended style";
}

} // namespace

void expectFollowsItsTemplate(HWND dialog, WORD templateId) {
    const auto compiled = dialogTemplateOf(windowsPathOf(VARNIK_EXE_PATH), templateId);
    ASSERT_TRUE(compiled.has_value()) << "no dialog " << templateId << " in Varnik.exe";
    EXPECT_EQ(textOf(dialog), compiled->caption) << utf8(textOf(dialog));
    // The system gives every top-level dialog the 3-D look and clips its siblings; a modal
    // dialog is shown, whether or not its template says so.
    EXPECT_EQ(styleOf(dialog), compiled->style | DS_3DLOOK | WS_CLIPSIBLINGS | WS_VISIBLE)
        << std::hex << "style " << styleOf(dialog);
    // The system adds extended styles of its own to a dialog's frame.
    EXPECT_EQ(extendedStyleOf(dialog) & compiled->exStyle, compiled->exStyle)
        << std::hex << "extended style " << extendedStyleOf(dialog);

    const SIZE client = clientSizeOf(dialog);
    const SIZE baseUnits = dialogBaseUnits(compiled->typeface, compiled->pointSize);
    EXPECT_NEAR(client.cx, MulDiv(compiled->cx, baseUnits.cx, 4), 1) << "client width";
    EXPECT_NEAR(client.cy, MulDiv(compiled->cy, baseUnits.cy, 8), 1) << "client height";

    const double pixelsPerUnitX = static_cast<double>(client.cx) / compiled->cx;
    const double pixelsPerUnitY = static_cast<double>(client.cy) / compiled->cy;
    const std::vector<HWND> children = visibleChildrenOf(dialog);
    ASSERT_EQ(children.size(), compiled->items.size()) << "number of controls";
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i + 1));
        expectItem(children[i], compiled->items[i], pixelsPerUnitX, pixelsPerUnitY);
    }
}

std::wstring compiledCaptionOf(WORD templateId) {
    const auto compiled = dialogTemplateOf(windowsPathOf(VARNIK_EXE_PATH), templateId);
    return compiled.has_value() ? compiled->caption : L"";
}

std::wstring compiledStringOf(UINT id) {
    const DataModule module(windowsPathOf(VARNIK_EXE_PATH));
    const wchar_t* text = nullptr;
    // With no buffer, the length and a pointer to the string in the loaded resource.
    const int length = LoadStringW(module.handle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"";
}
