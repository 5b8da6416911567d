#include "skin/KelvoPageProfileDlg.h"
#include "skin/SurveyListEntry.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "contract/IeParseResult.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/MainWindowMessages.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CProfileEditorDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

IMPLEMENT_DYNCREATE(CKelvoPageProfileDlg, CDialog)

namespace {
constexpr ULONG kActionTypeProfile = 1;
constexpr LONG kOsCodeSystemService = 10;  // from this code on the system's service may own the adapter
constexpr LONG kZeroConfigOwned = 2;
constexpr WPARAM kEditorAdd = 4, kEditorEdit = 5;
constexpr UINT kBitmapStateIcons = 314;
constexpr int kIconWidth = 45;
constexpr COLORREF kIconTransparent = RGB(255, 255, 255);
constexpr double kDefaultColumnShares[3] = {0.17, 0.38, 0.38};
constexpr ULONG kEapFast = 3, kEapLeap = 5;
constexpr size_t kSsoStatusBytes = 1040, kSsoEnabledAt = 4;
constexpr char kSsoRemovedText[] = "Selected profile is removed in SSO page.\nPlease re-select profile in SSO page";
constexpr UINT kDetailIds[] = {IDC_PROFILE_NAME, IDC_PROFILE_SSID, IDC_PROFILE_NETTYPE, IDC_PROFILE_CHANNEL,
                               IDC_PROFILE_SECURITY};

LOGFONTA PageFont(const char* face, LONG height)
{
    LOGFONTA lf{};
    lf.lfHeight = -height;
    lf.lfWeight = 800;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return lf;
}

CString SsidText(const NDIS_802_11_SSID& ssid)
{
    return CString(SsidToText(ssid).c_str());
}

// A zero-filled 128-byte name buffer, as the library's name arguments expect.
struct NameBuffer {
    explicit NameBuffer(const CString& name) { lstrcpynA(text, name.GetString(), sizeof text); }
    char text[kProfileNameBytes] = {};
};

// A pre-shared-key profile fits a network that offers its cipher; other encryptions fit any.
bool CipherFits(ULONG encryption, ULONG cipherMask)
{
    if (encryption == ENCRY_TKIP) return (cipherMask & IE_CIPHER_TKIP) != 0;
    if (encryption == ENCRY_AES) return (cipherMask & IE_CIPHER_AES) != 0;
    return true;
}
}  // namespace

bool IsAnyNetworkSsid(const NDIS_802_11_SSID& ssid)
{
    constexpr ULONG length = sizeof kAnyNetworkSsid - 1;
    return ssid.SsidLength == length && memcmp(ssid.Ssid, kAnyNetworkSsid, length) == 0;
}

BEGIN_MESSAGE_MAP(CKelvoPageProfileDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_BN_CLICKED(IDC_PROFILE_ADD, OnAdd)
    ON_BN_CLICKED(IDC_PROFILE_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_PROFILE_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_PROFILE_APPLY, OnApply)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PROFILE_LIST, OnListItemChanged)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
END_MESSAGE_MAP()

void CKelvoPageProfileDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFILE_LIST, m_list);
}

BOOL CKelvoPageProfileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    if (HBITMAP icons = G_hKelvoImg ? static_cast<HBITMAP>(::LoadImageA(G_hKelvoImg, MAKEINTRESOURCEA(kBitmapStateIcons),
                                                                          IMAGE_BITMAP, 0, 0, 0))
                                    : nullptr) {
        BITMAP info{};
        ::GetObjectA(icons, sizeof info, &info);
        if (m_images.Create(kIconWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, info.bmWidth / kIconWidth, 0))
            ::ImageList_AddMasked(m_images, icons, kIconTransparent);
        ::DeleteObject(icons);
        m_list.SetImageList(&m_images, LVSIL_SMALL);
    }
    double shares[3] = {kDefaultColumnShares[0], kDefaultColumnShares[1], kDefaultColumnShares[2]};
    TakeColumnShares("IDS_LIST_DEPART_PROFILE", G_LangTable.IDS_LIST_DEPART_PROFILE, shares, 3);
    CRect rc;
    m_list.GetClientRect(&rc);
    m_list.InsertColumn(0, "", LVCFMT_CENTER, static_cast<int>(rc.Width() * shares[0]));
    m_list.InsertColumn(1, G_LangTable.IDS_VAL_PROFILE_NAME, LVCFMT_CENTER, static_cast<int>(rc.Width() * shares[1]));
    m_list.InsertColumn(2, G_LangTable.IDS_VAL_SSID, LVCFMT_CENTER, static_cast<int>(rc.Width() * shares[2]));

    for (UINT id : kDetailIds) SetDlgItemText(id, "");
    const LOGFONTA title = PageFont("Arial", 12), label = PageFont("Tahoma", 11);
    m_titleFont.CreateFontIndirect(&title);
    m_labelFont.CreateFontIndirect(&label);
    const std::pair<UINT, const CString*> labels[] = {
        {IDC_PROFILE_NAME_LABEL, &G_LangTable.IDS_LAB_PROFILE_NAME}, {IDC_PROFILE_SSID_LABEL, &G_LangTable.IDS_LAB_SSID},
        {IDC_PROFILE_NETTYPE_LABEL, &G_LangTable.IDS_LAB_NETWORK_TYPE}, {IDC_PROFILE_CHANNEL_LABEL, &G_LangTable.IDS_LAB_CHANNEL},
        {IDC_PROFILE_SECURITY_LABEL, &G_LangTable.IDS_LAB_SECURITY}};
    for (const auto& [id, text] : labels) {
        if (!text->IsEmpty()) SetDlgItemText(id, *text);
        if (HWND item = ::GetDlgItem(m_hWnd, id)) ::SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.m_hObject), FALSE);
    }
    for (UINT id : {IDC_PROFILE_LIST_TITLE, IDC_PROFILE_INFO_TITLE})
        if (HWND item = ::GetDlgItem(m_hWnd, id)) ::SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(m_titleFont.m_hObject), FALSE);

    if (!G_bIsAdmin)
        for (UINT id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE}) EnableButton(id, FALSE);
    RebuildProfileList(TRUE);
    if (!MayChangeProfiles()) {
        for (UINT id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE}) EnableButton(id, FALSE);
        m_strProfile = ReadActiveName();
    }
    SetTimer(TIMER_PROFILE_REFRESH, kProfileRefreshMs, nullptr);
    return TRUE;
}

HBRUSH CKelvoPageProfileDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return m_titleBands.CtlColor(pDC, pWnd, nCtlColor, CDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

BOOL CKelvoPageProfileDlg::OnEraseBkgnd(CDC* pDC)
{
    Default();
    if (pDC) m_titleBands.Paint(*this, pDC->m_hDC);
    return TRUE;
}

CWnd* CKelvoPageProfileDlg::Owner() const
{
    // Before its window exists (start-up) the page speaks to the main window that registered it.
    if (m_hWnd) return GetParent();
    return CKelvoPageUIDlg::GetLive();
}

void CKelvoPageProfileDlg::EnableConfigButtons(BOOL bAllowed)
{
    m_bConfigAllowed = bAllowed ? TRUE : FALSE;
    const BOOL allowed = m_bConfigAllowed && G_bIsAdmin;
    const BOOL rows = !m_entries.empty();
    const BOOL change = allowed && MayChangeProfiles();
    EnableButton(IDC_PROFILE_ADD, change);
    EnableButton(IDC_PROFILE_EDIT, change && rows);
    EnableButton(IDC_PROFILE_DELETE, change && rows);
    EnableButton(IDC_PROFILE_APPLY, allowed && rows);
}

void CKelvoPageProfileDlg::EnableButton(UINT id, BOOL enable)
{
    if (HWND item = m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr) ::EnableWindow(item, enable);
}

bool CKelvoPageProfileDlg::MayChangeProfiles()
{
    return QXWLAPI.QXWL_DetectUserAdmin() || QXWLAPI.QXWL_IsAllowStandardUserSetProfile();
}

bool CKelvoPageProfileDlg::ServiceBlocksChanges()
{
    return QXWLAPI.WinOS() >= kOsCodeSystemService && !QXWLAPI.QXWL_CheckMSConfigService();
}

CString CKelvoPageProfileDlg::ReadActiveName()
{
    char active[kProfileNameBytes] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(active);
    return CString(LibraryText(active, sizeof active, "QXWL_ReadActiveProfileName").c_str());
}

void CKelvoPageProfileDlg::RebuildProfileList(BOOL bSelectFirst)
{
    m_entries.clear();
    m_nActiveRow = -1;
    if (m_nMarkedRow >= 0) m_nMarkedRow = -1;
    if (m_list.m_hWnd) m_list.SetItemCountEx(0, 0);
    m_strProfile = ReadActiveName();

    std::vector<WLANPROFILE> profiles;
    ReadProfileList(QXWLAPI.QXWL_ReadProfileList, profiles, "CKelvoPageProfileDlg::RebuildProfileList");
    for (const WLANPROFILE& p : profiles) {
        const CString name(LibraryText(p.strProfileName, sizeof p.strProfileName, "QXWL_ReadProfileList").c_str());
        const CString ssid = SsidText(p.SSID);
        const CString shown = IsAnyNetworkSsid(p.SSID) ? G_LangTable.IDS_VAL_ANY : ssid;
        const ULONG secured = (p.enumAuthenMode != AUTH_OPEN || p.enumEncryStatus != ENCRY_NONE) ? 1 : 0;
        if (m_nActiveRow < 0 && !m_strProfile.IsEmpty() && name == m_strProfile) m_nActiveRow = static_cast<int>(m_entries.size());
        m_entries.emplace_back(static_cast<int>(p.nProfileID), name, shown, ssid, secured, p.enumNetworkType, 0);
    }
    if (m_list.m_hWnd) {
        m_list.SetItemCountEx(static_cast<int>(m_entries.size()), 0);
        if (bSelectFirst && !m_entries.empty()) m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.Invalidate();
    }
    if (QXWLAPI.QXWL_IsZeroConfig() != kZeroConfigOwned) {
        // A user without the rights never gets the buttons back from a rebuild.
        const BOOL enable = !m_entries.empty() && G_bIsAdmin && m_bConfigAllowed;
        for (UINT id : {IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY}) EnableButton(id, enable);
        if (!m_entries.empty() && m_nActiveRow < 0) m_strProfile.Empty();
    }
    if (!MayChangeProfiles())
        for (UINT id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE}) EnableButton(id, FALSE);
    ShowDetails(SelectedRow());
}

CString CKelvoPageProfileDlg::NextProfileName() const
{
    const CString prefix = G_LangTable.IDS_PROF;
    int highest = 0;
    for (const ProfileListEntry& entry : m_entries) {
        const CString& name = entry.strText1;
        if (prefix.IsEmpty() || name.GetLength() <= prefix.GetLength() || strncmp(name.GetString(), prefix.GetString(), prefix.GetLength()) != 0)
            continue;
        // The number follows the whole prefix, whatever its length in this language.
        const int number = atoi(name.GetString() + prefix.GetLength());
        if (number > highest) highest = number;
    }
    CString next;
    next.Format("%s%d", prefix.GetString(), highest + 1);
    return next;
}

CString CKelvoPageProfileDlg::NextProfileIdText() const
{
    if (m_entries.empty()) return "0";
    char id[kProfileNameBytes] = {};
    QXWLAPI.QXWL_GetNextProfileID(id);
    return CString(LibraryText(id, sizeof id, "QXWL_GetNextProfileID").c_str());
}

CString CKelvoPageProfileDlg::GetListText(int row, int column) const
{
    if (row < 0 || row >= static_cast<int>(m_entries.size())) return CString();
    if (column == 1) return m_entries[row].strText1;
    if (column == 2) return m_entries[row].strText2;
    return CString();
}

int CKelvoPageProfileDlg::SelectedRow() const
{
    if (!m_list.m_hWnd) return -1;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    return row < static_cast<int>(m_entries.size()) ? row : -1;
}

int CKelvoPageProfileDlg::ChosenRow()
{
    const int selected = SelectedRow();
    if (selected >= 0) return selected;
    if (m_entries.size() == 1) return 0;
    ShowProductMessageBox(G_LangTable.IDS_NOSELECTEDITEM);
    return -1;
}

void CKelvoPageProfileDlg::OnAdd()
{
    if (CWnd* owner = Owner()) owner->SendMessage(MSG_PROFILE_EDITOR_DLG, kEditorAdd, 0);
}

void CKelvoPageProfileDlg::OnEdit()
{
    const int row = ChosenRow();
    if (row < 0) return;
    if (CWnd* owner = Owner()) owner->SendMessage(MSG_PROFILE_EDITOR_DLG, kEditorEdit, row);
}

void CKelvoPageProfileDlg::OnApply()
{
    if (ServiceBlocksChanges()) return;
    if (!QXWLAPI.QXWL_ReadRadioStatus()) {
        // Nothing can connect with the radio off; say so rather than ignore the click.
        ShowProductMessageBox(G_LangTable.IDS_RADIOOFF);
        return;
    }
    const int row = ChosenRow();
    if (row < 0) return;
    if (QXWLAPI.WinOS() < kOsCodeSystemService) QXWLAPI.QXWL_WriteSSOReleaseSUP();
    m_strAppliedSsid = m_entries[row].strText3;
    ConnectProfile(row);
    if (CWnd* owner = Owner()) owner->SendMessage(MSG_DELETE_BA_DLG, 0, 0);  // W 0: the link status comes back
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) main->ShowLinkInfoTab();
}

void CKelvoPageProfileDlg::ConnectProfile(int row)
{
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        DebugLog(1, "[QxUI] CKelvoPageProfileDlg::ConnectProfile: no row %d among %u\n", row, static_cast<unsigned>(m_entries.size()));
        return;
    }
    const CString name = m_entries[row].strText1;
    if (MayChangeProfiles()) m_strAppliedName = name;
    QXWLAPI.QXWL_WriteWPSFlag(FALSE);
    m_bConnectPending = 1;
    if (QXWLAPI.WinOS() < kOsCodeSystemService) CheckSsoProfile();
    NameBuffer buffer(name);
    const LONG result = QXWLAPI.QXWL_CopyProfileToCurrentSetting(buffer.text);
    if (result != QXWL_ERROR_SUCCESS)
        DebugLog(1, "[QxUI] CKelvoPageProfileDlg::ConnectProfile: QXWL_CopyProfileToCurrentSetting(%s) = %d\n", name.GetString(), result);
    SyncActiveProfile(0);
    RebuildProfileList(TRUE);
}

void CKelvoPageProfileDlg::ConnectProfileByName(const CString& name)
{
    m_bConnectPending = 1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].strText1 == name) return ConnectProfile(static_cast<int>(i));
}

void CKelvoPageProfileDlg::CheckSsoProfile()
{
    WLANPROFILE profile = {};
    NameBuffer name(m_strAppliedName);
    const bool read = QXWLAPI.QXWL_ReadProfileData(&profile, name.text) == QXWL_ERROR_SUCCESS;
    if (read && profile.enumAuthenProtocol != kEapFast && profile.enumAuthenProtocol != kEapLeap) {
        BYTE status[kSsoStatusBytes] = {};
        ULONG enabled = 0;
        if (QXWLAPI.QXWL_ReadSSOStatus(status) == QXWL_ERROR_SUCCESS) memcpy(&enabled, status + kSsoEnabledAt, sizeof enabled);
        if (enabled) ShowProductMessageBox(kSsoRemovedText);
    }
    QXWLAPI.QXWL_WriteSSOProfile(name.text);
}

void CKelvoPageProfileDlg::SyncActiveProfile(int bSetAdvance)
{
    m_nActionType = kActionTypeProfile;
    m_pActionRecord = &m_Profile;
    m_Profile = {};
    m_bConnectPending = 0;

    BOOL wpsFlag = FALSE;
    WPS_MODE wpsMode = {};
    WPS_PROFILE wpsProfile = {};
    QXWLAPI.QXWL_ReadWPSFlag(&wpsFlag);
    QXWLAPI.QXWL_ReadWPSProfile(&wpsMode, &wpsProfile);
    CCX2_CONTROL ccx = 0;
    QXWLAPI.QXWL_ReadCCX2Cont(&ccx);

    ADVANCE_CONFIG_DATA config = {};
    VN_802_11_STA_CONFIG station = {};
    if (bSetAdvance) {
        QXWLAPI.QXWL_ReadAdvanceCfgData(&config);
        QXWLAPI.QXWL_SetAdvanceSetting(CHideDlg::BuildAdvanceOid(config));
        QXWLAPI.QXWL_QuerySTAConfig(&station);
    }

    // The stored profile is read first and the values read above are laid over it: reading it
    // last would wipe them from the record.
    const CString active = ReadActiveName();
    NameBuffer name(active);
    if (active.IsEmpty() || QXWLAPI.QXWL_ReadProfileData(&m_Profile, name.text) != QXWL_ERROR_SUCCESS) {
        // No stored profile is in use: queuing this empty record would connect to nothing.
        DebugLog(3, "[QxUI] CKelvoPageProfileDlg::SyncActiveProfile: no stored active profile \"%s\", nothing queued\n",
                 active.GetString());
        m_Profile = {};
        return;
    }
    m_Profile.ccx2Control = ccx;
    m_Profile.bSetAdvance = bSetAdvance ? 1 : 0;
    if (bSetAdvance) {
        m_Profile.configSta = station;
        m_Profile.nCountryRegion = static_cast<ULONG>(config.CountryRegionABand) * 256 + static_cast<ULONG>(config.CountryRegion);
    }
    m_bConnectPending = 1;

    if (IsAnyNetworkSsid(m_Profile.SSID)) {
        const REPOSIT_BSSID_LIST& seen = QXWLAPI.listRepositBssid;
        if (!ResolveAnyProfile(m_Profile, seen.pBssidList, seen.pBssidList ? seen.nBufferSize : 0)) {
            DebugLog(3, "[QxUI] CKelvoPageProfileDlg::SyncActiveProfile: no network fits profile %s, nothing queued\n",
                     active.GetString());
            return;
        }
    }
    if (CWnd* owner = Owner()) owner->SendMessage(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG, 0);
}

bool CKelvoPageProfileDlg::ResolveAnyProfile(WLANPROFILE& profile, const void* list, size_t listBytes)
{
    if (!IsAnyNetworkSsid(profile.SSID) || !list || listBytes == 0) return false;
    const CString wanted = AuthModeText(profile);
    const bool pskText = wanted == "WPA-PSK" || wanted == "WPA2-PSK";
    const LONG osCode = QXWLAPI.WinOS();
    const BssidListView view(list, listBytes, "CKelvoPageProfileDlg::ResolveAnyProfile");
    for (size_t i = 0; i < view.Count(); ++i) {
        const NDIS_WLAN_BSSID_EX& entry = view[i];
        if (entry.InfrastructureMode != profile.enumNetworkType) continue;
        IE_PARSE_RESULT ie = {};
        QXWLAPI.QXWL_ParseInfoElement(&entry, &ie);
        if (SurveySecurityText(SurveyAuthCode(ie, osCode), IsSecuredRecord(entry, ie)) != wanted) continue;
        if (pskText && !CipherFits(profile.enumEncryStatus, ie.cipherMask)) continue;
        profile.SSID = {};
        profile.SSID.SsidLength = std::min<ULONG>(entry.Ssid.SsidLength, kSsidMaxLength);
        memcpy(profile.SSID.Ssid, entry.Ssid.Ssid, profile.SSID.SsidLength);
        return true;
    }
    return false;
}

CString CKelvoPageProfileDlg::AuthModeText(const WLANPROFILE& profile)
{
    const bool with8021X = profile.b8021X != 0;
    switch (profile.enumAuthenMode) {
    case AUTH_SHARED: return with8021X ? "WEP 802.1X" : "WEP";
    case AUTH_WPA: return "WPA";
    case AUTH_WPA_PSK:
    case AUTH_WPA_NONE: return "WPA-PSK";
    case AUTH_WPA2: return "WPA2";
    case AUTH_WPA2_PSK: return "WPA2-PSK";
    case AUTH_WAPI_PSK: return "WAPI-PSK";
    case AUTH_WAPI_CERT: return "WAPI-CertAuth";
    case AUTH_CCKM: return "CCKM";
    default: break;
    }
    if (profile.enumEncryStatus == ENCRY_WEP) return with8021X ? "WEP 802.1X" : "WEP";
    return with8021X ? CString("802.1X") : G_LangTable.IDS_VAL_DISABLE;
}

void CKelvoPageProfileDlg::ReloadActiveProfile()
{
    RebuildProfileList(TRUE);
    if (m_nActiveRow >= 0) return ConnectProfile(m_nActiveRow);
    if (G_bCreateDefaultProfile != 1) return;
    G_bCreateDefaultProfile = 0;
    if (m_entries.empty()) {
        CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
        if (CWnd* owner = Owner()) owner->SendMessage(MSG_PROFILE_EDITOR_DLG, kEditorAdd, 0);
        CProfileEditorDlg* editor = main ? main->m_pProfileEditorDlg : nullptr;
        if (!editor) {
            DebugLog(1, "[QxUI] CKelvoPageProfileDlg::ReloadActiveProfile: no profile editor, no default profile\n");
            return;
        }
        if (CPageSystemConfigDlg* system = editor->m_pPageSystemConfig) {
            system->m_strProfileName = G_LangTable.IDS_VAL_DEFAULT;
            system->m_strSsid = kAnyNetworkSsid;
        }
        // The name and SSID set here must reach the page's controls, which the editor's OK reads.
        if (CPageSystemConfigDlg* system = editor->m_pPageSystemConfig; system && system->m_hWnd)
            system->LoadFromScanEntryEx();
        editor->OnOK();
        // The editor sets the switch back to 1 when it declined to store the profile.
        if (G_bCreateDefaultProfile == 1) return;
        RebuildProfileList(TRUE);
    }
    // Only a profile that exists is connected: an editor that stored nothing leaves no row 0.
    if (!m_entries.empty()) ConnectProfile(0);
}

void CKelvoPageProfileDlg::OnDelete()
{
    if (ServiceBlocksChanges()) return;
    const int row = ChosenRow();
    if (row < 0) return;
    const CString name = m_entries[row].strText1;
    const CString ssid = m_entries[row].strText3;
    bool resync = false;
    if (name == m_strProfile && m_bConnectPending) {
        if (ShowProductMessageBoxEx(G_LangTable.IDS_DELCURRENTPROF, 1) != IDOK) return;
        m_bConnectPending = 0;
        QXWLAPI.QXWL_ResetToDefaultConnecctionSetting();
        m_strProfile.Empty();
        BOOL wps = FALSE;
        QXWLAPI.QXWL_ReadWPSFlag(&wps);
        resync = !wps && QXWLAPI.WinOS() < kOsCodeSystemService;
        // The hidden dialog may reconnect again: the resynchronisation below hands it the
        // setting that replaces the deleted profile.
        if (resync) ::InterlockedExchange(&G_bReConnect, TRUE);
    }
    WLAN_STATUS status = {};
    WLAN_STATUS_QUERY query = {};
    query.bAssociation = 1;
    QXWLAPI.QXWL_QueryWLANStatus(&status, query);
    const BOOL disconnect = ssid == SsidText(status.Ssid) && name != m_strProfile;
    NameBuffer buffer(name);
    const LONG result = QXWLAPI.QXWL_DeleteProfile(buffer.text, disconnect);
    if (result != QXWL_ERROR_SUCCESS)
        DebugLog(1, "[QxUI] CKelvoPageProfileDlg::OnDelete: QXWL_DeleteProfile(%s) = %d\n", name.GetString(), result);
    // Resynchronised only after the delete: before it, the deleted profile would be queued.
    if (resync) SyncActiveProfile(0);
    RebuildProfileList(TRUE);
}

void CKelvoPageProfileDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_PROFILE_REFRESH) return;
    if (m_strProfile.IsEmpty()) return MarkRow(-1);
    int row = -1;
    for (size_t i = 0; i < m_entries.size() && row < 0; ++i)
        if (m_entries[i].strText1 == m_strProfile) row = static_cast<int>(i);
    // The link state and WPS flag only decide the mark's state, which looks the same.
    WLAN_STATUS status = {};
    WLAN_STATUS_QUERY query = {};
    query.bLink = 1;
    QXWLAPI.QXWL_QueryWLANStatus(&status, query);
    BOOL wps = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&wps);
    const bool showMarks = QXWLAPI.WinOS() < kOsCodeSystemService || QXWLAPI.ActiveProfileIcon;
    MarkRow(showMarks ? row : -1);
}

void CKelvoPageProfileDlg::MarkRow(int row)
{
    if (row == m_nMarkedRow) return;
    m_nMarkedRow = row;
    if (m_list.m_hWnd) m_list.Invalidate();
}

void CKelvoPageProfileDlg::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (change->uChanged & LVIF_STATE) ShowDetails(SelectedRow());
}

void CKelvoPageProfileDlg::ShowDetails(int row)
{
    if (!m_hWnd) return;
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        for (UINT id : kDetailIds) SetDlgItemText(id, "");
        return;
    }
    WLANPROFILE profile = {};
    NameBuffer name(m_entries[row].strText1);
    if (QXWLAPI.QXWL_ReadProfileData(&profile, name.text) != QXWL_ERROR_SUCCESS) {
        for (UINT id : kDetailIds) SetDlgItemText(id, "");
        return;
    }
    SetDlgItemText(IDC_PROFILE_NAME, m_entries[row].strText1);
    SetDlgItemText(IDC_PROFILE_SSID, IsAnyNetworkSsid(profile.SSID) ? G_LangTable.IDS_VAL_ANY : SsidText(profile.SSID));
    if (profile.enumNetworkType == NETWORK_INFRASTRUCTURE) {
        SetDlgItemText(IDC_PROFILE_NETTYPE, G_LangTable.IDS_VAL_INFRA);
        SetDlgItemText(IDC_PROFILE_CHANNEL, G_LangTable.IDS_VAL_AUTO);
    } else {
        SetDlgItemText(IDC_PROFILE_NETTYPE, G_LangTable.IDS_VAL_ADHOC);
        CString channel;
        channel.Format("%d", static_cast<int>(QXWLAPI.QXWL_FrequencyToChannel(static_cast<ULONG>(profile.lFreq))));
        SetDlgItemText(IDC_PROFILE_CHANNEL, channel);
    }
    SetDlgItemText(IDC_PROFILE_SECURITY, AuthModeText(profile));
}

LRESULT CKelvoPageProfileDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_entries.size())) return 0;
    const ProfileListEntry& entry = m_entries[cell->GetItem()];
    switch (cell->GetSubItem()) {
    case 0: {
        // As on the site survey: 0 infrastructure open, 1 secured, 2 ad hoc open, 3 secured.
        const int adhoc = entry.nValue2 == NETWORK_ADHOC ? 2 : 0;
        cell->m_nImage = adhoc + (entry.nValue1 ? 1 : 0);
        cell->m_bImageCenter = true;
        break;
    }
    case 1: cell->m_strText = entry.strText1; break;
    case 2: cell->m_strText = entry.strText2; break;
    default: break;
    }
    if (cell->GetItem() == m_nMarkedRow) cell->m_crBack = kMarkedRowBack;
    cell->m_crSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    return 0;
}
