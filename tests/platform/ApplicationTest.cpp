#include "ProbeDialog.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kLeftInQueue = WM_APP + 1;

// Counts its InitInstance calls and answers with a chosen result, after posting a message to
// the thread's queue: WM_QUIT with a code when the result is true, else a marker that a message
// loop would have taken.
class CountingApp : public CWinApp {
public:
    explicit CountingApp(bool result) : m_result(result) {}

    bool InitInstance() override {
        ++initialisations;
        if (m_result) {
            ::PostQuitMessage(7);
        } else {
            ::PostThreadMessageW(::GetCurrentThreadId(), kLeftInQueue, 0, 0);
        }
        return m_result;
    }

    int initialisations = 0;

private:
    bool m_result;
};

int runAfxWinMain() {
    char commandLine[] = "";
    return AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
}

TEST(ApplicationTest, TheLatestApplicationObjectIsTheApplication) {
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app;
        EXPECT_EQ(&app, AfxGetApp());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

TEST(ApplicationTest, InitInstanceFalseEndsWithoutAMessageLoop) {
    CountingApp app(false);
    EXPECT_EQ(0, runAfxWinMain());
    EXPECT_EQ(1, app.initialisations);
    MSG message;
    EXPECT_TRUE(::PeekMessageW(&message, nullptr, kLeftInQueue, kLeftInQueue, PM_REMOVE));
}

TEST(ApplicationTest, InitInstanceTrueRunsTheMessageLoopUntilQuit) {
    CountingApp app(true);
    EXPECT_EQ(7, runAfxWinMain());
    EXPECT_EQ(1, app.initialisations);
}

TEST(ApplicationTest, SetRegistryKeyKeepsTheName) {
    CWinApp app;
    EXPECT_STREQ("", app.registryKey());
    app.SetRegistryKey("Local AppWizard-Generated Applications");
    EXPECT_STREQ("Local AppWizard-Generated Applications", app.registryKey());
    app.SetRegistryKey(nullptr);
    EXPECT_STREQ("", app.registryKey());
}

TEST(ApplicationTest, LoadIconGivesTheSharedIconOfTheModule) {
    CWinApp app;
    const HICON icon = app.LoadIcon(IDI_PROBE);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(icon, app.LoadIcon(IDI_PROBE));
    EXPECT_EQ(nullptr, app.LoadIcon(IDI_MISSING));
}

} // namespace
