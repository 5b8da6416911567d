// A dialog holding each control of the UI framework's second part, for a look at them on a
// real display: scripts/screenshot ui_demo_b.exe shot.png
#include "framework/Afx.h"
#include "ui/CBitmapRadioButton.h"
#include "ui/CDpiEdit.h"
#include "ui/CFingerStatic.h"
#include "ui/CFloatStatic.h"
#include "ui/CImageQuickList.h"
#include "ui/CLinkSlider.h"
#include "ui/CMorviStaticHistogram.h"
#include "ui/CPictureStatic.h"
#include "ui/CProcessStatic.h"
#include "ui/CProgressCtrlX.h"
#include "ui/CRadioButton.h"
#include "ui/CRussianFontComboBox.h"
#include "ui/CSeparator.h"
#include "ui/CSignalStatic.h"
#include "ui/CSmartEdit.h"
#include "ui/CTransparentEdit.h"
#include "ui/CTransparentStatic.h"
#include "ControlsDemoB.h"
#include "UiControlsTest.h"

#include <cmath>

namespace {
constexpr int kRows = 1000;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 250;
constexpr UINT kHeaderMark = 320, kMeterBar = 0x65, kMeterBackground = 0x66, kRatePicture = 103;
constexpr UINT kModeNormal = 12345, kModeSelected = 12346, kHelpNormal = 1033, kHelpHover = 1032;

class CDemoDlg : public CDialog {
public:
    explicit CDemoDlg(HMODULE skin) : CDialog(IDD_DEMO_B), m_skin(skin) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetUpList();
        SetUpBars();
        SetUpTexts();
        SetUpMeters();
        SetTimer(kTickTimer, kTickMs);
        m_edit.SetFocus();
        return FALSE;
    }

    void SetUpList()
    {
        m_list.SubclassDlgItem(IDC_DEMO_LIST, this);
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "Network", LVCFMT_LEFT, 150);
        m_list.InsertColumn(1, "Signal", LVCFMT_LEFT, 120);
        m_list.InsertColumn(2, "Ch", LVCFMT_CENTER, 60);
        m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
        m_images.Add(::LoadIconA(nullptr, IDI_INFORMATION));
        m_images.Add(::LoadIconA(nullptr, IDI_WARNING));
        m_list.SetImageList(&m_images, LVSIL_SMALL);
        m_list.SetHeaderBitmap(kHeaderMark);
        m_list.SetItemCount(kRows);
        m_list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

        m_empty.SubclassDlgItem(IDC_DEMO_EMPTY_LIST, this);
        m_empty.InsertColumn(0, "Profile", LVCFMT_LEFT, 150);
        m_empty.InsertColumn(1, "SSID", LVCFMT_LEFT, 150);
        m_empty.SetEmptyMessage("No profiles yet: add one from a scan.");
    }

    void SetUpBars()
    {
        m_quality.SubclassDlgItem(IDC_DEMO_QUALITY, this);
        m_quality.SetColors(3, RGB(0, 255, 0), RGB(0xA6, 0xCA, 0xF0), RGB(0, 255, 0));
        m_quality.SetText("Link quality %d%%", PBS_X_SHOW_PERCENT);
        m_quality.SetPos(72);
        m_quality.RestartControlTimer(55, 1);
        m_snake.SubclassDlgItem(IDC_DEMO_SNAKE, this);
        m_snake.ModifyStyle(0, PBS_X_SNAKE);
        m_snake.SendMessage(PBM_SETBARCOLOR, RGB(0, 64, 160), RGB(120, 200, 255));
        m_snake.SetStep(4);
        m_vertical.SubclassDlgItem(IDC_DEMO_VERTICAL, this);
        m_vertical.ModifyStyle(0, PBS_X_REVERSE);
        m_vertical.SetColors(4, RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0));
        m_vertical.SetPos(60);
    }

    void SetUpTexts()
    {
        m_title.SubclassDlgItem(IDC_DEMO_TITLE, this);
        m_title.SetTextFont(RGB(0, 70, 140), nullptr);
        m_title.SetSkinText("Link information");
        m_long.EnableToolTip(20);
        m_long.SubclassDlgItem(IDC_DEMO_LONG_LABEL, this);
        m_long.SetTextFont(RGB(79, 79, 79), nullptr);
        m_long.SetSkinText("Kelvo-Guest-Network-5GHz");
        m_separator.SubclassDlgItem(IDC_DEMO_SEPARATOR, this);
        m_vseparator.SubclassDlgItem(IDC_DEMO_VSEPARATOR, this);

        m_edit.SubclassDlgItem(IDC_DEMO_SMART_EDIT, this);
        m_slider.SubclassDlgItem(IDC_DEMO_SLIDER, this);
        m_edit.AttachSlider(this, IDC_DEMO_SLIDER);
        m_edit.SetRange(1, 14, 1, 3);
        m_edit.SetValue(6);
        m_slider.SetPos(6);
        m_transparentEdit.SubclassDlgItem(IDC_DEMO_TRANSPARENT_EDIT, this);
        m_transparentEdit.SetBackColor(RGB(253, 253, 220));
        m_transparentEdit.SetWindowText("192.168.0.10");
        m_dpiEdit.SubclassDlgItem(IDC_DEMO_DPI_EDIT, this);
        m_dpiEdit.SetWindowText("255.255.255.0");
        m_radio1.SubclassDlgItem(IDC_DEMO_RADIO1, this);
        m_radio2.SubclassDlgItem(IDC_DEMO_RADIO2, this);
        m_radio1.SetCheck(BST_CHECKED);

        m_station.SubclassDlgItem(IDC_DEMO_MODE_STATION, this);
        m_station.LoadBitmaps(kModeNormal, kModeSelected, IDC_DEMO_MODE_STATION_LABEL, m_skin);
        m_station.SetText("Station");
        m_station.SetHighlight(1);
        m_ap.SubclassDlgItem(IDC_DEMO_MODE_AP, this);
        m_ap.LoadBitmaps(kModeNormal, kModeSelected, IDC_DEMO_MODE_AP_LABEL, m_skin);
        m_ap.SetText("Access point");

        m_combo.SubclassDlgItem(IDC_DEMO_COMBO, this);
        for (const char* security : {"WPA2-PSK", "WPA-PSK", "WEP 128-bit shared key", "Open"}) m_combo.AddString(security);
        m_combo.SetCurSel(0);

        m_finger.SubclassDlgItem(IDC_DEMO_FINGER, this);
        m_finger.SetTextColor(RGB(0, 70, 140));
        m_finger.SetText("Site survey");
    }

    void SetUpMeters()
    {
        m_signal.SubclassDlgItem(IDC_DEMO_SIGNAL, this);
        m_signal.LoadBitmaps(IDB_UI_SIGNAL_LIT, IDB_UI_SIGNAL_UNLIT, nullptr);
        m_signal.SetLevel(7);
        m_meter.SubclassDlgItem(IDC_DEMO_METER, this);
        m_meter.LoadBitmaps(kMeterBar, kMeterBackground, m_skin);
        m_meter.SetPercent(65, 1);
        m_rate.SubclassDlgItem(IDC_DEMO_RATE, this);
        m_rate.LoadBitmap(kRatePicture, m_skin);
        m_help.SubclassDlgItem(IDC_DEMO_HELP, this);
        m_help.LoadBitmaps(kHelpNormal, kHelpHover, m_skin);
        m_help.SizeToBitmap();
        m_help.EnableHover(true);
        m_histogram.SubclassDlgItem(IDC_DEMO_HISTOGRAM, this);
        m_histogram.SetLabelWidth(50);
        m_histogram.SetGridRows(2);
        m_histogram.SetLabel(0, "Max");
        m_histogram.SetLabel(1, "54.0");
        m_histogram.SetBarColor(RGB(0, 255, 0));
        m_histogram.SetRangeMax(54.0);
        for (int i = 0; i < 200; ++i) m_histogram.AddValue(Throughput(i));
    }

    static double Throughput(int t) { return 27.0 + 20.0 * std::sin(t / 9.0) + 6.0 * std::sin(t / 2.3); }

    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != kTickTimer) {
            Default();
            return;
        }
        ++m_tick;
        m_histogram.AddValue(Throughput(200 + m_tick));
        m_rate.SetRateLevel(std::pow(10.0, 3.0 + std::sin(m_tick / 5.0)));
        m_snake.StepIt();
        // The tip hides after four seconds; bring it back so that it can be seen.
        if (::GetFocus() == m_edit.m_hWnd) m_edit.GetInfoWnd()->ShowInfo(&m_edit, "Channels 1 to 14 only");
    }

    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam)
    {
        auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
        if (reinterpret_cast<HWND>(wParam) != m_list.m_hWnd) return 0;
        const int row = cell->GetItem();
        switch (cell->GetSubItem()) {
        case 0:
            cell->m_strText.Format("Kelvo-%03d & friends", row);
            cell->m_bCheckBox = true;
            cell->m_nCheckState = row % 3 == 0 ? DFCS_CHECKED : 0;
            cell->m_nImage = row % 4 == 1 ? 1 : 0;
            cell->m_bBold = row % 5 == 0;
            cell->m_strToolTip.Format("Network %d of %d", row + 1, kRows);
            break;
        case 1:
            cell->m_nProgressMax = 100;
            cell->m_nProgressValue = (row * 37) % 101;
            cell->m_strText.Format("%d%%", cell->m_nProgressValue);
            cell->m_crProgressText = RGB(0, 0, 0);
            break;
        default:
            cell->m_strText.Format("%d", 1 + row % 13);
            cell->m_bItalic = row % 2 == 1;
            break;
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    HMODULE m_skin;
    int m_tick = 0;
    CImageList m_images;
    CImageQuickList m_list;
    CQuickList m_empty;
    CProgressCtrlX m_quality, m_snake, m_vertical;
    CTransparentStatic m_title, m_long;
    CSeparator m_separator, m_vseparator;
    CSmartEdit m_edit;
    CLinkSlider m_slider;
    CTransparentEdit m_transparentEdit;
    CDpiEdit m_dpiEdit;
    CRadioButton m_radio1, m_radio2;
    CBitmapRadioButton m_station, m_ap;
    CRussianFontComboBox m_combo;
    CFingerStatic m_finger;
    CSignalStatic m_signal;
    CProcessStatic m_meter;
    CPictureStatic m_rate;
    CFloatStatic m_help;
    CMorviStaticHistogram m_histogram;
};

BEGIN_MESSAGE_MAP(CDemoDlg, CDialog)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        CString skinPath(path);
        skinPath = skinPath.Left(skinPath.ReverseFind('\\') + 1) + "KelvoIMG.dll";
        HMODULE skin = ::LoadLibraryA(skinPath);
        AfxSetResourceHandle(skin);
        CDemoDlg dlg(skin);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CDemoApp theApp;
}  // namespace
