#include "ConversionCommands.h"
#include "ProbeDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The program's two commands, bound to their buttons as the main dialog binds them.
class ConversionDialog : public ProbeDialog {
public:
    using ProbeDialog::ProbeDialog;

protected:
    afx_msg void OnAddOffset() { addOffset(*this); }
    afx_msg void OnCorrectOffset() { correctOffset(*this); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ConversionDialog, ProbeDialog)
    ON_BN_CLICKED(IDC_OFFSET_BUTTON, &ConversionDialog::OnAddOffset)
    ON_BN_CLICKED(IDC_CORRECT_BUTTON, &ConversionDialog::OnCorrectOffset)
END_MESSAGE_MAP()

struct Group {
    const char* name;
    int longitudeIn;
    int latitudeIn;
    int button;
    int latitudeOut;
    int longitudeOut;
    const wchar_t* longitude;
    const wchar_t* latitude;
    const wchar_t* expectedLatitude;
    const wchar_t* expectedLongitude;
};

const Group kGroups[] = {
    {"offset", IDC_OFFSET_LON_IN, IDC_OFFSET_LAT_IN, IDC_OFFSET_BUTTON, IDC_OFFSET_LAT_OUT,
     IDC_OFFSET_LON_OUT, L"113.540124", L"23.517846", L"23.515146", L"113.545324"},
    {"correction", IDC_CORRECT_LON_IN, IDC_CORRECT_LAT_IN, IDC_CORRECT_BUTTON, IDC_CORRECT_LAT_OUT,
     IDC_CORRECT_LON_OUT, L"113.545324", L"23.515146", L"23.517846", L"113.540124"},
};

TEST(ConversionCommandsTest, ButtonsConvertTheirGroupOnTheRealWindow) {
    for (const Group& group : kGroups) {
        ConversionDialog dialog(IDD_CONVERSION, [&](ProbeDialog& probe) {
            const auto field = [&](int id) { return probe.GetDlgItem(id).m_hWnd; };
            ::SetWindowTextW(field(group.longitudeIn), group.longitude);
            ::SetWindowTextW(field(group.latitudeIn), group.latitude);
            ::SendMessageW(field(group.button), BM_CLICK, 0, 0);
            EXPECT_EQ(group.expectedLatitude, textOf(field(group.latitudeOut))) << group.name;
            EXPECT_EQ(group.expectedLongitude, textOf(field(group.longitudeOut))) << group.name;
            for (const Group& other : kGroups) {
                if (&other != &group) {
                    EXPECT_EQ(L"", textOf(field(other.latitudeOut))) << group.name;
                    EXPECT_EQ(L"", textOf(field(other.longitudeOut))) << group.name;
                }
            }
            probe.EndDialog(IDOK);
        });
        EXPECT_EQ(IDOK, dialog.DoModal()) << group.name;
    }
}

} // namespace
