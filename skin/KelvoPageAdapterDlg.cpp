#include "skin/KelvoPageAdapterDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "skin/KelvoPageWpsPBCDlg.h"
#include "skin/KelvoPageWpsPinApDlg.h"
#include "skin/KelvoPageWpsPinDeviceDlg.h"
#include "skin/SkinResourceScope.h"
#include "station/CPageWPSProfile.h"
#include "ui/DialogTab.h"
#include "ui/LogFont.h"

#include <algorithm>
#include <cstring>
#include <iterator>

IMPLEMENT_DYNCREATE(CKelvoPageAdapterDlg, CDialog)

int G_nPowerSaveMode = 0;

namespace {
constexpr COLORREF kTitleColor = RGB(255, 255, 255);
constexpr COLORREF kLabelColor = 0x4F4F4F;
constexpr COLORREF kLabelBackColor = 0xFCFCFC;
constexpr UINT kHiddenIds[] = {IDC_ADAPTER_PREAMBLE_LABEL, IDC_ADAPTER_PREAMBLE, IDC_ADAPTER_WMM_PS, IDC_ADAPTER_AC_BE,
                               IDC_ADAPTER_AC_BK,          IDC_ADAPTER_AC_VI,    IDC_ADAPTER_AC_VO,  IDC_ADAPTER_ICON};
constexpr UINT kAcIds[] = {IDC_ADAPTER_AC_BE, IDC_ADAPTER_AC_BK, IDC_ADAPTER_AC_VI, IDC_ADAPTER_AC_VO};
constexpr UINT kMethodIds[] = {IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP};
// Encryption states of a link that uses TKIP or AES (NDIS numbering).
constexpr ULONG kTkipAesStates[] = {4, 5, 6, 7, 10, 11};
constexpr ULONG kZeroConfigManaged = 2;

// Ends and deletes a WPS dialog left from an earlier run.
template <typename Dialog>
void EndAndDelete(Dialog*& dlg)
{
    if (!dlg) return;
    if (dlg->m_hWnd && ::IsWindow(dlg->m_hWnd)) dlg->EndDialog(1);
    delete dlg;
    dlg = nullptr;
}

// Ends a WPS dialog that runs; RunWpsDialog, under whose loop it runs, deletes it.
template <typename Dialog>
void EndOnly(Dialog* dlg)
{
    if (dlg && dlg->m_hWnd && ::IsWindow(dlg->m_hWnd)) dlg->EndDialog(CWpsSkinDialog::kClosed);
}

// Runs a WPS dialog modally with resources from the skin library; answers its result.
template <typename Dialog>
INT_PTR RunWpsDialog(Dialog*& dlg)
{
    EndAndDelete(dlg);
    dlg = new Dialog(nullptr);
    const INT_PTR result = DoModalSkinned(*dlg);
    delete dlg;
    dlg = nullptr;
    return result;
}

void ShowStationPage(CDialog* page)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageTab && page) main->m_pPageTab->ShowPage(page);
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageAdapterDlg, CSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_ADAPTER_WPS, OnWpsCheck)
    ON_BN_CLICKED(IDC_ADAPTER_WPS_PBC, OnWpsPushButton)
    ON_BN_CLICKED(IDC_ADAPTER_WPS_PIN_DEVICE, OnWpsPinDevice)
    ON_BN_CLICKED(IDC_ADAPTER_WPS_PIN_AP, OnWpsPinAp)
    ON_BN_CLICKED(IDC_ADAPTER_SAVE, OnSave)
END_MESSAGE_MAP()

CKelvoPageAdapterDlg::CKelvoPageAdapterDlg() : CSkinnedPage(IDD) {}

CKelvoPageAdapterDlg::~CKelvoPageAdapterDlg()
{
    EndWpsDialogs();
}

int CKelvoPageAdapterDlg::PowerSaveMirror(ULONG storedCode, int osCode)
{
    if (osCode >= kOsVista) return storedCode == 1 ? 1 : 0;
    return storedCode < kPowerSaveCodes ? static_cast<int>(storedCode) : 0;
}

void CKelvoPageAdapterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADAPTER_TITLE, m_title);
    DDX_Control(pDX, IDC_ADAPTER_PSM_LABEL, m_labelPsm);
    DDX_Control(pDX, IDC_ADAPTER_PSM, m_comboPsm);
    DDX_Control(pDX, IDC_ADAPTER_SAVE, m_btnSave);
}

BOOL CKelvoPageAdapterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA titleFont = MakeLogFont("Arial", 12, 800);
    const LOGFONTA labelFont = MakeLogFont("Tahoma", 11, 800);
    m_title.SetTextFont(kTitleColor, &titleFont);
    m_look.BandBehind(IDC_ADAPTER_TITLE);
    m_title.SetSkinText(G_LangTable.IDS_LAB_ADAPTER_ADAPTERSETTING);
    m_labelPsm.SetTextFont(kLabelColor, &labelFont);
    m_labelPsm.SetBackColor(kLabelBackColor);
    m_labelPsm.SetSkinText(G_LangTable.IDS_LAB_ADAPTER_PSM);
    m_labelFont.CreateFontIndirect(&labelFont);
    for (UINT id : {IDC_ADAPTER_WMM, IDC_ADAPTER_WPS, IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP})
        if (CWnd* item = GetDlgItem(id)) item->SetFont(&m_labelFont);
    SetDlgItemText(IDC_ADAPTER_WMM, G_LangTable.IDS_LAB_ADAPTER_WMMQOS);
    SetDlgItemText(IDC_ADAPTER_WPS, G_LangTable.IDS_VAL_CONTRY_WPS_WIFIPROTECTEDSETUP);
    SetDlgItemText(IDC_ADAPTER_WPS_PBC, G_LangTable.IDS_LAB_ADAPTER_RADIOITEM_00);
    SetDlgItemText(IDC_ADAPTER_WPS_PIN_DEVICE, G_LangTable.IDS_LAB_ADAPTER_RADIOITEM_01);
    SetDlgItemText(IDC_ADAPTER_WPS_PIN_AP, G_LangTable.IDS_LAB_ADAPTER_RADIOITEM_02);
    m_comboPsm.ResetContent();
    m_comboPsm.AddString(G_LangTable.IDS_VAL_ADAPTER_COMBOXITEM_00);
    m_comboPsm.AddString(G_LangTable.IDS_VAL_ADAPTER_COMBOXITEM_01);
    if (G_nOSVersion < kOsVista) m_comboPsm.AddString(G_LangTable.IDS_VAL_ADAPTER_COMBOXITEM_02);
    m_btnSave.LoadBitmaps(kSaveHoverId, kSaveNormalId, G_hKelvoImg);

    for (UINT id : kAcIds) CheckDlgButton(static_cast<int>(id), BST_UNCHECKED);
    QXWLAPI.QXWL_ReadAdvanceCfgData(&m_AdvanceConfig);
    G_nPowerSaveMode = PowerSaveMirror(StoredPowerSave(), G_nOSVersion);
    for (UINT id : kMethodIds)
        if (CWnd* item = GetDlgItem(id)) item->EnableWindow(FALSE);
    for (UINT id : kHiddenIds)
        if (CWnd* item = GetDlgItem(id)) item->ShowWindow(SW_HIDE);

    if (G_bIsAdmin) {
        // The per-AC controls are hidden: the adapter is kept on the one set of flags this
        // page supports, so that a later WMM change writes flags the user can account for.
        QXWLAPI.QXWL_QueryAndReadWMMCapability(m_WmmCapability);
        if (memcmp(&m_WmmCapability[kAcBe], kAcFlags, sizeof kAcFlags) != 0) {
            DebugLog(3, "[QxUI] Adapter page: WMM per-AC flags %u,%u,%u,%u set to 0,1,0,0\n", m_WmmCapability[kAcBe],
                     m_WmmCapability[kAcBk], m_WmmCapability[kAcVi], m_WmmCapability[kAcVo]);
            memcpy(&m_WmmCapability[kAcBe], kAcFlags, sizeof kAcFlags);
            QXWLAPI.QXWL_UpdateWMMEnable(m_WmmCapability);
        }
    } else {
        DisableForNonAdministrator();
    }
    return TRUE;
}

int CKelvoPageAdapterDlg::ShownPowerSaveIndex(ULONG storedCode) const
{
    const int count = m_comboPsm.m_hWnd ? m_comboPsm.GetCount() : kPowerSaveCodes;
    return storedCode < static_cast<ULONG>(count) ? static_cast<int>(storedCode) : 0;
}

void CKelvoPageAdapterDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) return;
    QXWLAPI.QXWL_ReadAdvanceCfgData(&m_AdvanceConfig);
    m_comboPsm.SetCurSel(ShownPowerSaveIndex(StoredPowerSave()));
    QXWLAPI.QXWL_QueryAndReadWMMCapability(m_WmmCapability);
    CheckDlgButton(IDC_ADAPTER_WMM, m_WmmCapability[kWmmEnable] == 1 ? BST_CHECKED : BST_UNCHECKED);
    if (m_WmmCapability[kWmmPowerSave] == 1)
        for (int i = 0; i < 4; ++i)
            CheckDlgButton(static_cast<int>(kAcIds[i]), m_WmmCapability[kAcBe + i] ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ADAPTER_WPS, BST_UNCHECKED);
    if (G_bIsAdmin && QXWLAPI.QXWL_IsZeroConfig() != static_cast<LONG>(kZeroConfigManaged)) EnableWpsRadios();
    // The main window enables its configuration controls on pages it creates late: the
    // administrator rule of this page holds over that.
    if (!G_bIsAdmin) DisableForNonAdministrator();
}

void CKelvoPageAdapterDlg::DisableForNonAdministrator()
{
    for (UINT id : {IDC_ADAPTER_WPS, IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP, IDC_ADAPTER_SAVE})
        if (CWnd* item = GetDlgItem(id)) item->EnableWindow(FALSE);
}

void CKelvoPageAdapterDlg::EnableWpsRadios()
{
    const BOOL enable = IsDlgButtonChecked(IDC_ADAPTER_WPS) == BST_CHECKED;
    for (UINT id : kMethodIds)
        if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable);
}

void CKelvoPageAdapterDlg::OnWpsCheck()
{
    EnableWpsRadios();
}

void CKelvoPageAdapterDlg::OnWpsPushButton()
{
    if (IsDlgButtonChecked(IDC_ADAPTER_WPS_PBC) != BST_CHECKED) return;
    const INT_PTR result = RunWpsDialog(m_pWpsPBCDlg);
    G_bWpsPinFromAp = 0;
    CheckRadioButton(IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_AP, IDC_ADAPTER_WPS_PBC);
    if (result != 0) return;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageWpsLinkStatusDlg) return;
    main->m_pPageWpsLinkStatusDlg->nMethod = 0;
    ShowStationPage(main->m_pPageWpsLinkStatusDlg);
}

void CKelvoPageAdapterDlg::OnWpsPinDevice()
{
    if (IsDlgButtonChecked(IDC_ADAPTER_WPS_PIN_DEVICE) != BST_CHECKED) return;
    const INT_PTR result = RunWpsDialog(m_pWpsPinDeviceDlg);
    G_bWpsPinFromAp = 0;
    CheckRadioButton(IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_AP, IDC_ADAPTER_WPS_PIN_DEVICE);
    if (result != 0) return;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main) return;
    if (main->m_pPageWpsLinkStatusDlg && main->m_pPageWpsLinkStatusDlg->bAutoSelect == 1)
        ShowStationPage(main->m_pPageWpsLinkStatusDlg);
    else
        ShowStationPage(main->m_pPageWpsListViewDlg);
}

void CKelvoPageAdapterDlg::OnWpsPinAp()
{
    if (IsDlgButtonChecked(IDC_ADAPTER_WPS_PIN_AP) != BST_CHECKED) return;
    const INT_PTR result = RunWpsDialog(m_pWpsPinApDlg);
    G_bWpsPinFromAp = 1;
    CheckRadioButton(IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_AP, IDC_ADAPTER_WPS_PIN_AP);
    if (result != 0) return;
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) ShowStationPage(main->m_pPageWpsListViewDlg);
}

void CKelvoPageAdapterDlg::OnSave()
{
    ApplyPowerSave();
    ApplyWmm();
}

void CKelvoPageAdapterDlg::ApplyPowerSave()
{
    int index = m_comboPsm.m_hWnd ? m_comboPsm.GetCurSel() : 0;
    if (index < -1 || index > 2) index = 0;
    const ULONG code = index == 1 ? 1 : index == 2 ? 2 : 0;
    // Compared with the entry the page shows, so that an unknown stored code is rewritten only
    // when the user picks another entry.
    if (code == static_cast<ULONG>(ShownPowerSaveIndex(StoredPowerSave()))) {
        m_bPowerSaveChanged = 0;
        return;
    }
    m_bPowerSaveChanged = 1;
    m_AdvanceConfig.TransmitSetting = SetBits(m_AdvanceConfig.TransmitSetting, kPowerSaveField, code);
    G_nPowerSaveMode = static_cast<int>(code);
    QXWLAPI.QXWL_WriteAdvanceCfgData(m_AdvanceConfig);
}

void CKelvoPageAdapterDlg::ApplyWmm()
{
    const ULONG enable = IsDlgButtonChecked(IDC_ADAPTER_WMM) == BST_CHECKED ? 1 : 0;
    if (enable == m_WmmCapability[kWmmEnable]) return;
    m_WmmCapability[kWmmEnable] = enable;
    QXWLAPI.QXWL_UpdateWMMEnable(m_WmmCapability);
    ReconnectEncryptedLink();
}

void CKelvoPageAdapterDlg::ReconnectEncryptedLink()
{
    // A TKIP or AES link negotiated its QoS at association: it must associate again.
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{};
    query.bAssociation = 1;
    QXWLAPI.QXWL_QueryWLANStatus(&status, query);
    if (std::find(std::begin(kTkipAesStates), std::end(kTkipAesStates), status.encryStatus) == std::end(kTkipAesStates))
        return;
    if (G_nOSVersion >= kOsVista) {
        QXWLAPI.QXWL_WlanDisconnect();
        const ULONG auth = QXWLAPI.QXWL_WlanConvertNdis2Dot11AuthType(status.authMode);
        const ULONG encryption = QXWLAPI.QXWL_WlanConvertNdis2Dot11EncryptType(status.encryStatus);
        const ULONG network = QXWLAPI.QXWL_WlanConvertNdis2Dot11NetworkType(status.networkType);
        QXWLAPI.QXWL_WlanConnect(auth, encryption, network, &status.Ssid);
        return;
    }
    QXWLAPI.QXWL_Disassociate();
    QXWLAPI.QXWL_SetSSID(status.Ssid);
    CCX2_CONTROL ccx = 0;
    QXWLAPI.QXWL_ReadCCX2Cont(&ccx);
    char name[128] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(name);
    if (name[0]) {
        WLANPROFILE profile{};
        QXWLAPI.QXWL_ReadProfileData(&profile, name);
    }
    QXWLAPI.QXWL_SetCCXInfo(1, ccx);
}

void CKelvoPageAdapterDlg::EndWpsDialogs()
{
    EndAndDelete(m_pWpsPBCDlg);
    EndAndDelete(m_pWpsPinDeviceDlg);
    EndAndDelete(m_pWpsPinApDlg);
}

HBRUSH CKelvoPageAdapterDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The labels sit on 0xFCFCFC: so does the page, or each would stand out as a box.
    static const HBRUSH labelBack = ::CreateSolidBrush(kLabelBackColor);  // kept for the process
    if (nCtlColor == CTLCOLOR_DLG) return labelBack;
    const UINT id = pWnd ? static_cast<UINT>(pWnd->GetDlgCtrlID()) : 0;
    const bool label = id == IDC_ADAPTER_WMM || id == IDC_ADAPTER_WPS ||
                       std::find(std::begin(kMethodIds), std::end(kMethodIds), id) != std::end(kMethodIds);
    if (nCtlColor != CTLCOLOR_STATIC || !label || !pDC) return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    // The check boxes and radios are labels of the page, in its grey.
    pDC->SetTextColor(kLabelColor);
    pDC->SetBkColor(kLabelBackColor);
    return labelBack;
}

void CKelvoPageAdapterDlg::OnDestroy()
{
    EndOnly(m_pWpsPBCDlg);
    EndOnly(m_pWpsPinDeviceDlg);
    EndOnly(m_pWpsPinApDlg);
    CDialog::OnDestroy();
}
