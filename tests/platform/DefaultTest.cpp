#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <cwchar>

// Default() keeps to the message its own handler runs for: each dialog holds that message
// itself, also when a handler sends its window, or another dialog, a message first.

namespace {

const wchar_t kLongerCaption[] = L"A longer caption";

// Answers WM_GETTEXTLENGTH and WM_SETTEXT with their default processing; before answering the
// length, it can give a window (its own or another dialog) a new caption.
class CaptionDialog : public ProbeDialog {
public:
    using ProbeDialog::ProbeDialog;

    HWND renameFirst = nullptr;
    LRESULT setTextResult = -1;
    int fontsSeen = 0;

private:
    static LRESULT onGetTextLength(CCmdTarget& target, WPARAM, LPARAM) noexcept {
        auto& dialog = static_cast<CaptionDialog&>(target);
        if (dialog.renameFirst != nullptr) {
            ::SendMessageW(dialog.renameFirst, WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(kLongerCaption));
        }
        return dialog.Default();
    }
    static LRESULT onSetText(CCmdTarget& target, WPARAM, LPARAM) noexcept {
        auto& dialog = static_cast<CaptionDialog&>(target);
        dialog.setTextResult = dialog.Default();
        return dialog.setTextResult;
    }
    static LRESULT onSetFont(CCmdTarget& target, WPARAM, LPARAM) noexcept {
        auto& dialog = static_cast<CaptionDialog&>(target);
        ++dialog.fontsSeen;
        return dialog.Default();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CaptionDialog, ProbeDialog)
    {WM_GETTEXTLENGTH, 0, 0, &CaptionDialog::onGetTextLength},
        {WM_SETTEXT, 0, 0, &CaptionDialog::onSetText},
        {WM_SETFONT, 0, 0, &CaptionDialog::onSetFont},
END_MESSAGE_MAP()

const LRESULT kLongerLength = static_cast<LRESULT>(std::wcslen(kLongerCaption));

// The inner handler's Default sets the caption; the outer one's then measures it, and the
// result reaches the sender.
TEST(DefaultTest, DefaultAfterANestedSendToTheSameWindowAnswersTheOuterMessage) {
    LRESULT length = 0;
    std::wstring caption;
    LRESULT setTextResult = 0;
    CaptionDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        auto& captioned = static_cast<CaptionDialog&>(probe);
        captioned.renameFirst = probe.m_hWnd;
        length = probe.SendMessage(WM_GETTEXTLENGTH);
        caption = textOf(probe.m_hWnd);
        setTextResult = captioned.setTextResult;
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(kLongerLength, length);
    EXPECT_EQ(kLongerCaption, caption);
    EXPECT_EQ(TRUE, setTextResult);
}

// The About box inside the main dialog's modal loop: a handler of the main dialog renames the
// box, and each dialog's Default answers for its own window.
TEST(DefaultTest, TwoOpenDialogsEachAnswerForTheirOwnWindow) {
    LRESULT openerLength = 0;
    LRESULT nestedLength = 0;
    std::wstring openerCaption;
    std::wstring nestedCaption;
    CaptionDialog opener(IDD_PROBE, [&](ProbeDialog& openerProbe) {
        CaptionDialog nested(IDD_NESTED, [&](ProbeDialog& box) {
            static_cast<CaptionDialog&>(openerProbe).renameFirst = box.m_hWnd;
            openerLength = openerProbe.SendMessage(WM_GETTEXTLENGTH);
            nestedLength = box.SendMessage(WM_GETTEXTLENGTH);
            openerCaption = textOf(openerProbe.m_hWnd);
            nestedCaption = textOf(box.m_hWnd);
            box.EndDialog(IDOK);
        });
        EXPECT_EQ(IDOK, nested.DoModal());
        openerProbe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, opener.DoModal());
    EXPECT_EQ(L"Probe", openerCaption);
    EXPECT_EQ(5, openerLength);
    EXPECT_EQ(kLongerCaption, nestedCaption);
    EXPECT_EQ(kLongerLength, nestedLength);
}

// The dialog manager sends WM_SETFONT before WM_INITDIALOG brings the object: it answers that
// itself, and the handler sees only what comes later.
TEST(DefaultTest, MessagesBeforeInitialisationGetTheDialogManagersProcessing) {
    LRESULT font = 0;
    int fontsSeenInLoop = -1;
    CaptionDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        auto& captioned = static_cast<CaptionDialog&>(probe);
        fontsSeenInLoop = captioned.fontsSeen;
        font = probe.SendMessage(WM_GETFONT);
        probe.SendMessage(WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        probe.EndDialog(IDOK);
    });
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0, fontsSeenInLoop);
    EXPECT_NE(0, font);
    EXPECT_EQ(1, dialog.fontsSeen);
}

} // namespace
