#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kBaseOnlyCommand = 0x7001;
constexpr UINT kOverriddenCommand = 0x7002;
constexpr UINT kApplicationCommand = 0x7003;
constexpr UINT kUnmappedCommand = 0x7004;
constexpr UINT kShadowedCommand = 0x7005; // in the dialog's map and in the application's

const HCURSOR kDragIcon = reinterpret_cast<HCURSOR>(static_cast<INT_PTR>(0x4D2));

std::vector<std::string> calls;

class BaseDialog : public ProbeDialog {
public:
    using ProbeDialog::ProbeDialog;

protected:
    afx_msg void OnBaseOnly() { calls.push_back("base only"); }
    afx_msg void OnOverriddenInBase() { calls.push_back("overridden, in base"); }
    afx_msg void OnButton() { calls.push_back("button"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDialog, ProbeDialog)
    ON_COMMAND(kBaseOnlyCommand, &BaseDialog::OnBaseOnly)
    ON_COMMAND(kOverriddenCommand, &BaseDialog::OnOverriddenInBase)
    ON_BN_CLICKED(IDC_PROBE_BUTTON, &BaseDialog::OnButton)
END_MESSAGE_MAP()

class DerivedDialog : public BaseDialog {
public:
    using BaseDialog::BaseDialog;

    UINT systemCommand = 0;
    LPARAM systemCommandPosition = 0;

protected:
    afx_msg void OnOverriddenInDerived() { calls.push_back("overridden, in derived"); }
    afx_msg void OnShadowed() { calls.push_back("shadowed, in dialog"); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        if ((nID & 0xFFF0) == 0x0010) {
            systemCommand = nID;
            systemCommandPosition = lParam;
        } else {
            CDialog::OnSysCommand(nID, lParam);
        }
    }
    afx_msg HCURSOR OnQueryDragIcon() { return kDragIcon; }
    void OnCancel() override {
        calls.push_back("cancel");
        CDialog::OnCancel();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDialog, BaseDialog)
    ON_COMMAND(kOverriddenCommand, &DerivedDialog::OnOverriddenInDerived)
    ON_COMMAND(kShadowedCommand, &DerivedDialog::OnShadowed)
    ON_WM_SYSCOMMAND()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

class TestApp : public CWinAppEx {
public:
    TestApp() : CWinAppEx(true) {}

protected:
    afx_msg void OnApplicationCommand() { calls.push_back("application"); }
    afx_msg void OnShadowed() { calls.push_back("shadowed, in application"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinAppEx)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
    ON_COMMAND(kApplicationCommand, &TestApp::OnApplicationCommand)
    ON_COMMAND(kShadowedCommand, &TestApp::OnShadowed)
END_MESSAGE_MAP()

// A WM_COMMAND as a menu, an accelerator or a control sends it, and the handlers it must reach.
struct Command {
    const char* name;
    UINT id;
    UINT code;
    bool fromControl; // lParam is the button's window
    std::vector<std::string> expectedCalls;
};

const Command kCommands[] = {
    {"base table, reached from derived", kBaseOnlyCommand, 0, false, {"base only"}},
    {"accelerator", kBaseOnlyCommand, 1, false, {"base only"}},
    {"derived entry wins over base", kOverriddenCommand, 0, false, {"overridden, in derived"}},
    {"button click", IDC_PROBE_BUTTON, BN_CLICKED, true, {"button"}},
    {"other notification of the button", IDC_PROBE_BUTTON, BN_DBLCLK, true, {}},
    {"application table", kApplicationCommand, 0, false, {"application"}},
    {"dialog before application", kShadowedCommand, 0, false, {"shadowed, in dialog"}},
    {"help reaches the framework's OnHelp, which does nothing", ID_HELP, 0, false, {}},
    {"unmapped", kUnmappedCommand, 0, false, {}},
};

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
    TestApp app;
};

TEST_F(MessageMapTest, CommandsReachTheFirstMatchingEntryOfTheChain) {
    for (const Command& command : kCommands) {
        calls.clear();
        DerivedDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
            const HWND button = probe.GetDlgItem(IDC_PROBE_BUTTON).m_hWnd;
            probe.SendMessage(WM_COMMAND, MAKEWPARAM(command.id, command.code),
                              command.fromControl ? reinterpret_cast<LPARAM>(button) : 0);
            probe.EndDialog(IDOK);
        });
        EXPECT_EQ(IDOK, dialog.DoModal()) << command.name;
        EXPECT_EQ(command.expectedCalls, calls) << command.name;
    }
}

TEST_F(MessageMapTest, ClickOnARealButtonReachesItsHandler) {
    DerivedDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        probe.GetDlgItem(IDC_PROBE_BUTTON).SendMessage(BM_CLICK);
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<std::string>{"button"}, calls);
}

TEST_F(MessageMapTest, SystemCommandHandlerGetsIdAndPosition) {
    DerivedDialog dialog(IDD_PROBE, [](ProbeDialog& probe) {
        probe.SendMessage(WM_SYSCOMMAND, 0x0017, MAKELPARAM(12, 34));
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0x0017u, dialog.systemCommand);
    EXPECT_EQ(MAKELPARAM(12, 34), dialog.systemCommandPosition);
}

// The handler passes SC_CLOSE on to the default processing: the dialog manager turns it into
// WM_CLOSE and then IDCANCEL, which reaches the overridden OnCancel.
TEST_F(MessageMapTest, DefaultInAHandlerRunsTheDefaultProcessing) {
    DerivedDialog dialog(IDD_PROBE,
                         [](ProbeDialog& probe) { probe.SendMessage(WM_SYSCOMMAND, SC_CLOSE); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(std::vector<std::string>{"cancel"}, calls);
}

TEST_F(MessageMapTest, QueryDragIconReturnsTheHandlersCursor) {
    LRESULT result = 0;
    DerivedDialog dialog(IDD_PROBE, [&](ProbeDialog& probe) {
        result = probe.SendMessage(WM_QUERYDRAGICON);
        probe.EndDialog(IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(reinterpret_cast<LRESULT>(kDragIcon), result);
}

} // namespace
