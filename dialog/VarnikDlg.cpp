#include "VarnikDlg.h"

#include "AboutDlg.h"
#include "ConversionCommands.h"
#include "CoordinateInput.h"
#include "PastedCoordinates.h"

namespace {

struct FieldName {
    int id;
    const wchar_t* name;
};

// What a screen reader says of each field: its group, as its button says it; input or result;
// which coordinates it holds; longitude or latitude.
const FieldName kFieldNames[] = {
    {IDC_CORRECT_LON_IN, L"纠偏输入：地图坐标经度"},
    {IDC_CORRECT_LON_OUT, L"纠偏结果：真实坐标经度"},
    {IDC_CORRECT_LAT_IN, L"纠偏输入：地图坐标纬度"},
    {IDC_CORRECT_LAT_OUT, L"纠偏结果：真实坐标纬度"},
    {IDC_OFFSET_LON_IN, L"加偏输入：真实坐标经度"},
    {IDC_OFFSET_LON_OUT, L"加偏结果：地图坐标经度"},
    {IDC_OFFSET_LAT_IN, L"加偏输入：真实坐标纬度"},
    {IDC_OFFSET_LAT_OUT, L"加偏结果：地图坐标纬度"},
};

// Gives the field the hidden label that carries its name.
void nameForScreenReaders(CWnd field) {
    for (const FieldName& named : kFieldNames) {
        if (named.id == field.GetDlgCtrlID()) {
            field.AddHiddenLabel(named.name);
        }
    }
}

} // namespace

CVarnikDlg::CVarnikDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_hAppIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CVarnikDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
}

BEGIN_MESSAGE_MAP(CVarnikDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_OFFSET_BUTTON, &CVarnikDlg::OnAddOffset)
    ON_BN_CLICKED(IDC_CORRECT_BUTTON, &CVarnikDlg::OnCorrectOffset)
END_MESSAGE_MAP()

bool CVarnikDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // Each group starts with the other group's answer: the same point in true and in map form.
    GetDlgItem(IDC_OFFSET_LON_IN).SetWindowText("113.540124");
    GetDlgItem(IDC_OFFSET_LAT_IN).SetWindowText("23.517846");
    GetDlgItem(IDC_CORRECT_LON_IN).SetWindowText("113.545324");
    GetDlgItem(IDC_CORRECT_LAT_IN).SetWindowText("23.515146");
    for (const InputGroup& group : kInputGroups) {
        takeCoordinatesAsUsersHaveThem(GetDlgItem(group.longitude));
        takeCoordinatesAsUsersHaveThem(GetDlgItem(group.latitude));
    }

    // Screen readers name a field after the static text before it; in the template the labels
    // come after their fields and say neither the group nor the column. A field gets its hidden
    // label when a reader first asks for it: eight more windows would slow every start by
    // milliseconds.
    for (const FieldName& field : kFieldNames) {
        GetDlgItem(field.id).PrepareOnFirstAccessibilityRequest(&nameForScreenReaders);
    }

    CMenu sysMenu = GetSystemMenu(false);
    if (sysMenu.GetSafeHmenu() != nullptr) {
        CString aboutText;
        aboutText.LoadString(IDS_ABOUTBOX);
        if (!aboutText.IsEmpty()) {
            sysMenu.AppendMenu(MF_SEPARATOR);
            sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hAppIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hAppIcon));

    // The dialog manager gives the focus to the first tab stop.
    return true;
}

void CVarnikDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    // The system keeps the low four bits of a command id for itself.
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg aboutDlg;
        aboutDlg.DoModal();
    } else {
        Default();
    }
}

void CVarnikDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
        DrawIcon(dc.GetSafeHdc(), x, y, m_hAppIcon);
    } else {
        CDialog::OnPaint();
    }
}

// The system shows this while the user drags the minimised window.
HCURSOR CVarnikDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hAppIcon);
}

void CVarnikDlg::OnAddOffset() {
    addOffset(*this);
}

void CVarnikDlg::OnCorrectOffset() {
    correctOffset(*this);
}
