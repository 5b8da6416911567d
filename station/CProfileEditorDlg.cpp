#include "station/CProfileEditorDlg.h"
#include "base/StationLibraryView.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/Dot1XEditorLink.h"
#include "station/EditorTabStrip.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "core/StationHelpers.h"
#include "skin/MainWindowMessages.h"
#include "ui/TabDialog.h"

#include <algorithm>
#include <cstring>

int G_bProfileRetry = 1;

namespace {
constexpr LONG kDuplicatedName = -16;
constexpr LONG kProfileIdTaken = 0, kProfileIdOverflow = 3;
constexpr ULONG kCckmBit = 1u << 1;
constexpr ULONG kSsoBits = 0x7;


template <size_t N>
void PutText(char (&field)[N], const CString& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.GetString(), std::min<size_t>(static_cast<size_t>(text.GetLength()), N - 1));
}

template <size_t N>
CString FieldText(const char (&field)[N])
{
    return CString(field, static_cast<int>(strnlen(field, N)));
}

bool IsWpaOrWpa2(int auth) { return auth == AUTHIDX_WPA || auth == AUTHIDX_WPA2; }
bool IsOpenOrShared(int auth) { return auth == AUTHIDX_OPEN || auth == AUTHIDX_SHARED; }
}  // namespace

BEGIN_MESSAGE_MAP(CProfileEditorDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_PROFED_OK, OnBtnOk)
    ON_BN_CLICKED(IDC_PROFED_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

CProfileEditorDlg::CProfileEditorDlg(CWnd* pParent) : CClassicDlg(IDD, pParent)
{
    m_model.Reset();
    m_model.nProfileId = 1;
}

CProfileEditorDlg::~CProfileEditorDlg()
{
    FreeProfileBuffer();
    for (CShadeButtonST*& button : m_pTabButtons) {
        delete button;
        button = nullptr;
    }
    delete m_pPageSystemConfig;
    delete m_pPageAuthEncry;
    delete m_pPage8021X;
    m_pPageSystemConfig = nullptr;
    m_pPageAuthEncry = nullptr;
    m_pPage8021X = nullptr;
    delete m_pTabHost;
    m_pTabHost = nullptr;
}

void CProfileEditorDlg::ResetModel()
{
    m_model.Reset();
    m_strProfileName.Empty();
}

BOOL CProfileEditorDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_btnOk.SubclassDlgItem(IDC_PROFED_OK, this);
    m_btnCancel.SubclassDlgItem(IDC_PROFED_CANCEL, this);
    CCX2_CONTROL ccx = {};
    QXWLAPI.QXWL_ReadCCX2Cont(&ccx);
    ULONG word = 0;
    std::memcpy(&word, &ccx, std::min(sizeof word, sizeof ccx));
    m_model.bCckm = (word & kCckmBit) ? 1 : 0;

    m_pTabHost = new CTabDialog(IDD_AP_TAB, this);
    if (!m_pTabHost->Create(IDD_AP_TAB, this)) return FALSE;
    if (!CreatePages()) return FALSE;
    PlaceEditorTabs(*this, *m_pTabHost, IDC_PROFED_TAB_AREA, kTabSystem);
    SkinButton(m_btnOk, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    return TRUE;
}

BOOL CProfileEditorDlg::CreatePages()
{
    m_pPageSystemConfig = new CPageSystemConfigDlg(m_pTabHost);
    m_pPageSystemConfig->m_pHost = this;
    m_pPageAuthEncry = new CPageAuthEncryDlg(m_pTabHost);
    m_pPageAuthEncry->SetHost(this, CPageAuthEncryDlg::kHostProfileEditor);
    m_pPage8021X = new CPage8021XDlg(m_pTabHost);
    m_pPage8021X->SetHost(this);
    m_pPage8021X->bInProfileEditor = 1;
    const EditorTab tabs[kTabCount] = {
        {&CLanguageTable::IDS_TAB_SYSCONFIG, IDC_PROFED_TAB_SYSCONFIG, m_pPageSystemConfig, CPageSystemConfigDlg::IDD},
        {&CLanguageTable::IDS_AUTH_ENCRY, IDC_PROFED_TAB_AUTH, m_pPageAuthEncry, CPageAuthEncryDlg::IDD},
        {&CLanguageTable::IDS_TAB8021X, IDC_PROFED_TAB_8021X, m_pPage8021X, CPage8021XDlg::IDD},
        {&CLanguageTable::IDS_TAB_WAPI, IDC_PROFED_TAB_WAPI, nullptr, 0},
    };
    if (!AddEditorTabs(*this, *m_pTabHost, m_font, tabs, kTabCount, m_pTabButtons)) return FALSE;
    m_pTabButtons[kTab8021X]->EnableWindow(FALSE);
    if (!(QXWLAPI.SupportWAPI && IsOpModeOutsideBasic())) m_pTabButtons[kTabWapi]->ShowWindow(SW_HIDE);
    return TRUE;
}

void CProfileEditorDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) return;
    ResetModel();
    if (m_pTabButtons[kTabSystem]) m_pTabButtons[kTabSystem]->SendMessage(BM_CLICK);
}

// --- What the pages ask ------------------------------------------------------------------------

bool CProfileEditorDlg::GetSystemNetworkType(ULONG* networkType)
{
    if (!m_pPageSystemConfig) return false;
    *networkType = m_pPageSystemConfig->m_nNetworkType;
    return true;
}

void CProfileEditorDlg::Enable8021XTab(BOOL bEnable)
{
    if (Alive(m_pTabButtons[kTab8021X])) m_pTabButtons[kTab8021X]->EnableWindow(bEnable);
}

void CProfileEditorDlg::EnableWapiTab(BOOL bEnable)
{
    if (Alive(m_pTabButtons[kTabWapi])) m_pTabButtons[kTabWapi]->EnableWindow(bEnable);
}

void CProfileEditorDlg::ClickAuthTab()
{
    if (Alive(m_pTabButtons[kTabAuth])) m_pTabButtons[kTabAuth]->SendMessage(BM_CLICK);
}

int CProfileEditorDlg::GetEapMethod()
{
    return m_pPage8021X ? m_pPage8021X->nEapMethod : m_model.Eap.nEapMethod;
}

void CProfileEditorDlg::SetEapMethod(int method)
{
    m_model.Eap.nEapMethod = method;
    if (m_pPage8021X) ApplyEapMethod(*m_pPage8021X, method);
}

const Dot1XStoredSettings* CProfileEditorDlg::GetStored8021XSettings()
{
    StoredSettingsFromModel(m_model, m_stored8021X);
    return &m_stored8021X;
}

CString CProfileEditorDlg::GetProfileName()
{
    return m_pPageSystemConfig ? m_pPageSystemConfig->m_strProfileName : CString();
}

void CProfileEditorDlg::OnAdhocChosen()
{
    // An ad hoc network carries no 802.1X.
    if (Alive(m_pPageAuthEncry)) {
        m_pPageAuthEncry->m_nNetworkType = NETWORK_ADHOC;
        m_pPageAuthEncry->m_b8021X = 0;
        m_pPageAuthEncry->FillControls();
    }
    m_model.b8021X = 0;
    Enable8021XTab(FALSE);
}

void CProfileEditorDlg::OnPowerSaveClicked()
{
    if (Alive(m_pTabButtons[kTabSystem])) m_pTabButtons[kTabSystem]->SendMessage(BM_CLICK);
}

// --- OK ------------------------------------------------------------------------------------------

bool CProfileEditorDlg::CheckSystemEntries()
{
    CPageSystemConfigDlg& system = *m_pPageSystemConfig;
    if (system.m_nRtsEdit < kRtsMin || system.m_nRtsEdit > kRtsMax) {
        ShowProductMessageBox(G_LangTable.IDS_INVALIDRTSTHRE);
        return false;
    }
    if (system.m_nFragEdit < kFragMin || system.m_nFragEdit > kFragMax) {
        ShowProductMessageBox(G_LangTable.IDS_INVALIDFRAGTHRE);
        return false;
    }
    const CString& name = system.m_strProfileName;
    if (name.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_INPUTPROFILENAME);
        return false;
    }
    if (name.GetLength() > kProfileNameMax) {
        ShowProductMessageBox(G_LangTable.IDS_PROFILENAMELENGTH);
        return false;
    }
    if (system.m_strSsid.IsEmpty()) {
        const int auth = m_pPageAuthEncry->m_nAuthIndex;
        const bool needed = QXWLAPI.WinOS() >= kVistaOsCode || system.m_nNetworkType == NETWORK_ADHOC ||
                            auth == AUTHIDX_WAPI_PSK || auth == AUTHIDX_WAPI_CA;
        if (needed) {
            ShowProductMessageBox(G_LangTable.IDS_ADHOCINPUTSSID);
            return false;
        }
    }
    return true;
}

bool CProfileEditorDlg::CheckNameAndId()
{
    CPageSystemConfigDlg& system = *m_pPageSystemConfig;
    const CString& name = system.m_strProfileName;
    if (name.CompareNoCase(system.m_strInitialProfileName) != 0) {
        ProfileNameBuffer buffer(name);
        if (QXWLAPI.QXWL_CheckDuplicatedProfileName(buffer.text) == kDuplicatedName) {
            ShowProductMessageBox(G_LangTable.IDS_DUPLIPROF);
            return false;
        }
    }
    if (QXWLAPI.WinOS() >= kVistaOsCode) return true;
    if (system.m_strProfileId.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_PROF_IDREQUIRED);
        return false;
    }
    const int id = atoi(system.m_strProfileId.GetString());
    if (id != m_nStoredProfileId || m_bNewProfile) {
        const LONG result = QXWLAPI.QXWL_IsDuplicateProfileID(static_cast<ULONG>(id));
        if (result == kProfileIdTaken) {
            ShowProductMessageBox(G_LangTable.IDS_DUPLIPROFID);
            return false;
        }
        if (result == kProfileIdOverflow) {
            ShowProductMessageBox(G_LangTable.IDS_PROF_IDOVERFLOW);
            return false;
        }
    }
    return true;
}

bool CProfileEditorDlg::Needs8021XCheck() const
{
    const int auth = m_pPageAuthEncry->m_nAuthIndex;
    const bool infra = m_pPageSystemConfig->m_nNetworkType == NETWORK_INFRASTRUCTURE;
    return (auth == AUTHIDX_OPEN && m_pPageAuthEncry->m_b8021X) ||
           ((IsWpaOrWpa2(auth) || auth == AUTHIDX_CCKM) && infra);
}

void CProfileEditorDlg::OnOK()
{
    if (!Alive(m_pPageSystemConfig) || !Alive(m_pPageAuthEncry) || !Alive(m_pPage8021X)) {
        DebugLog(1, "[QxUI] CProfileEditorDlg::OnOK: the editor's pages do not exist; nothing stored\n");
        return;
    }
    CPageSystemConfigDlg& system = *m_pPageSystemConfig;
    CPageAuthEncryDlg& auth = *m_pPageAuthEncry;
    if (!system.UpdateData(TRUE) || !auth.UpdateData(TRUE)) return;
    if (!CheckSystemEntries() || !CheckNameAndId()) return;
    const CString newName = system.m_strProfileName;
    if (m_bNewProfile) system.m_strInitialProfileName = newName;
    if (system.m_strChannel.IsEmpty()) {
        G_bProfileRetry = 1;
        ReportToOwner(MSG_PROFILE_LIST_CHANGED, 1, 0);
        return;
    }
    Read8021XControls(*m_pPage8021X);
    if (Needs8021XCheck() && !m_pPage8021X->ValidateSettings()) return;
    if (!auth.ValidateSettings()) return;
    if (Collects8021X() && !Check8021XEntriesFit(*m_pPage8021X)) return;
    CollectSecurity();

    const CString storedName = system.m_strInitialProfileName;
    char active[kProfileNameBytes] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(active);
    const bool renamesActive = storedName == FieldText(active) && newName != storedName;
    if (renamesActive) QXWLAPI.QXWL_ResetToDefaultConnecctionSetting();

    // A refused write keeps the editor open with what was typed; the owner hears nothing.
    const WriteResult result = WriteProfile();
    m_model.Pacs.clear();
    if (result == WriteResult::kNotStored) {
        // The message says nothing was changed: the renamed profile is in force again.
        if (renamesActive) RestoreActiveProfile(storedName);
        ShowProductMessageBox(G_LangTable.IDS_PROFILE_WRITE_FAILED);
        return;
    }
    // Stored without its PAC list, the profile is in the list all the same; the editor stays
    // open for a second OK.
    if (result == WriteResult::kStored) ReportToOwner(MSG_PROFILE_EDITOR_DLG, 0, 0);
    ReportToOwner(MSG_PROFILE_LIST_CHANGED, 0, 0);
}

void CProfileEditorDlg::RestoreActiveProfile(const CString& name)
{
    ProfileNameBuffer buffer(name);
    const LONG status = QXWLAPI.QXWL_CopyProfileToCurrentSetting(buffer.text);
    if (status != QXWL_ERROR_SUCCESS) LogNotSuccess("QXWL_CopyProfileToCurrentSetting", status, "CProfileEditorDlg::RestoreActiveProfile");
}

void CProfileEditorDlg::OnCancel()
{
    ReportToOwner(MSG_PROFILE_EDITOR_DLG, 0, 0);
    EndDialog(IDCANCEL);
}

bool CProfileEditorDlg::Collects8021X() const
{
    const int method = m_pPageAuthEncry->m_nAuthIndex;
    const bool infra = m_pPageSystemConfig->m_nNetworkType == NETWORK_INFRASTRUCTURE;
    return QXWLAPI.IsWpaCapable() &&
           ((infra && IsWpaOrWpa2(method)) || (IsOpenOrShared(method) && m_pPageAuthEncry->m_b8021X) ||
            method == AUTHIDX_CCKM);
}

void CProfileEditorDlg::CollectSecurity()
{
    CPageAuthEncryDlg& auth = *m_pPageAuthEncry;
    m_model.nAuthIndex = auth.m_nAuthIndex;
    m_model.nEncryIndex = auth.m_nEncryIndex;
    m_model.nDefaultKey = auth.m_nDefaultKey + 1;
    m_model.b8021X = auth.m_b8021X;
    const int method = m_model.nAuthIndex;
    if (Collects8021X()) CollectEapSettings();
    const bool keysOnly = !m_model.b8021X || m_model.Eap.nEapMethod == static_cast<int>(EAPMETHOD_MD5);
    if (keysOnly && (method == AUTHIDX_SHARED || (method == AUTHIDX_OPEN && m_model.nEncryIndex == ENCRIDX_WEP)))
        for (int key = 0; key < EditorSecurityModel::kWepKeys; ++key)
            m_model.nKeyLength[key] = WepKeyToBytes(auth.m_strWepKey[key], auth.m_nKeyFormat[key], m_model.WepKey[key]);
    if (method >= AUTHIDX_WPA && method <= AUTHIDX_WAPI_PSK) {
        m_model.strPsk = auth.m_strPsk;
        m_model.nPskFormat = auth.m_nPskFormat;
    }
}

void CProfileEditorDlg::CollectEapSettings()
{
    Collect8021XSettings(*m_pPage8021X, m_model);
}

// --- The record ----------------------------------------------------------------------------------

void CProfileEditorDlg::BuildProfileRecord(WLANPROFILE& record)
{
    record = {};
    const CPageSystemConfigDlg& system = *m_pPageSystemConfig;
    const CPageAuthEncryDlg& auth = *m_pPageAuthEncry;
    const StringRecord7& eap = m_model.Eap;

    record.SSID.SsidLength = std::min<ULONG>(static_cast<ULONG>(system.m_strSsid.GetLength()), sizeof record.SSID.Ssid);
    std::memcpy(record.SSID.Ssid, system.m_strSsid.GetString(), record.SSID.SsidLength);
    record.enumNetworkType = system.m_nNetworkType;
    record.enumPreamType = PreambleIndexToCode(static_cast<int>(system.m_nPreamble));
    record.lRtsThre = system.m_nRtsThreshold;
    record.bUseRTSThre = system.m_bUseRts;
    record.lFragThre = system.m_nFragThreshold;
    record.bUseFragThre = system.m_bUseFrag;
    record.enumAuthenMode = AuthIndexToCode(m_model.nAuthIndex);
    record.enumEncryStatus = EncryIndexToCode(m_model.nEncryIndex);
    record.lTxPower = static_cast<LONG>(system.m_nTxPower);
    char* keys[EditorSecurityModel::kWepKeys] = {record.WEPKey1, record.WEPKey2, record.WEPKey3, record.WEPKey4};
    ULONG* types[EditorSecurityModel::kWepKeys] = {&record.WEPKey1Type, &record.WEPKey2Type, &record.WEPKey3Type,
                                                   &record.WEPKey4Type};
    for (int key = 0; key < EditorSecurityModel::kWepKeys; ++key) {
        const CString& text = auth.m_strWepKey[key];
        std::memcpy(keys[key], text.GetString(), std::min<size_t>(static_cast<size_t>(text.GetLength()), sizeof record.WEPKey1 - 1));
        *types[key] = static_cast<ULONG>(auth.m_nKeyFormat[key]);
    }
    record.wepDefaultKey = static_cast<ULONG>(m_model.nDefaultKey);
    record.enumPSMode = system.m_nPowerSaveMode;
    record.bACCam = system.m_bACCam;
    record.lFreq = QXWLAPI.QXWL_ChannelToFrequency(atoi(system.m_strChannel.GetString()));
    record.bUseDiagnostic = system.m_bDiagnostic;
    record.b8021X = static_cast<ULONG>(m_model.b8021X);
    record.enumAuthenProtocol = static_cast<ULONG>(eap.nEapMethod);
    record.enumTunnel = eap.TunnelCode();
    record.enumProvisioningTunnel = eap.nProvisioningInner;
    record.nSessionResumption = eap.nSessionResumption;
    record.bClientCert = eap.bClientCert;
    record.user_cert = m_model.UserCert;
    // Kept with the certificate: without it a smart-card choice would not survive a reload.
    record.bClientCertInSmartCard = m_model.bClientCertInSmartCard;
    record.bServerCert = eap.bServerCert;
    record.CA_cert = m_model.CaCert;
    record.bIntermediateCert = eap.bIntermediateCert;
    record.nServerNameRule = m_model.nServerNameRule;
    PutText(record.chServerName, eap.strServerName);
    record.bPAC = eap.bPAC;
    record.bProvision = eap.bProvision;
    PutText(record.chPACfilepath, eap.strPacFilePath);
    PutText(record.chID, eap.strIdentity);
    PutText(record.chPassword, eap.strPassword);
    PutText(record.chDomainName, eap.strDomain);
    record.nPasswordMode = eap.nPasswordMode;
    record.nIDModeIndex = m_model.nIdModeIndex;
    record.bCacheUserInfo = m_model.bCacheUserInfo;
    // The pre-shared key fills its 64 bytes: a 64-digit key carries no terminator.
    const int pskLength = std::min(m_model.strPsk.GetLength(), static_cast<int>(sizeof record.chPskKey));
    std::memcpy(record.chPskKey, m_model.strPsk.GetString(), static_cast<size_t>(pskLength));
    record.nPskKeyLen = static_cast<ULONG>(pskLength);
    record.nPskKeyType = static_cast<ULONG>(auth.m_nPskFormat);
    PutText(record.strProfileName, system.m_strProfileName);
    record.nProfileID = static_cast<ULONG>(atoi(system.m_strProfileId.GetString()));
    if (QXWLAPI.WinOS() >= kVistaOsCode) record.ssoInfo = m_model.SsoInfo & kSsoBits;
}

CProfileEditorDlg::WriteResult CProfileEditorDlg::WriteProfile()
{
    WLANPROFILE record;
    BuildProfileRecord(record);
    CPageSystemConfigDlg& system = *m_pPageSystemConfig;
    ProfileNameBuffer stored(system.m_strInitialProfileName);
    const LONG status = QXWLAPI.QXWL_WriteProfile(stored.text, &record);
    if (status != QXWL_ERROR_SUCCESS) {
        DebugLog(1, "[QxUI] QXWL_WriteProfile() return %d in CProfileEditorDlg::WriteProfile\n", static_cast<int>(status));
        return WriteResult::kNotStored;
    }
    // From here on the profile is stored under its new name: a second OK edits that one.
    system.m_strInitialProfileName = system.m_strProfileName;
    m_nStoredProfileId = static_cast<int>(record.nProfileID);
    m_bNewProfile = 0;
    m_bEditing = 1;
    ProfileNameBuffer newName(system.m_strProfileName);
    const bool fast = m_model.Eap.nEapMethod == static_cast<int>(EAPMETHOD_FAST);
    if (fast && !WritePacList(m_model, system.m_strProfileName)) return WriteResult::kStoredWithoutPacList;
    const ULONG mode = record.enumAuthenMode;
    const bool eapAuth = mode == AUTH_WPA || mode == AUTH_WPA2 || mode == AUTH_CCKM || (mode == AUTH_OPEN && record.b8021X);
    if (eapAuth && fast && QXWLAPI.WinOS() >= kVistaOsCode)
        QXWLAPI.QXWL_StartEapHostPeerInvokeConfigUI(newName.text, 0, nullptr);
    return WriteResult::kStored;
}

// --- Loading -------------------------------------------------------------------------------------

void CProfileEditorDlg::FreeProfileBuffer()
{
    delete[] m_pProfileBuffer;
    m_pProfileBuffer = nullptr;
}

BOOL CProfileEditorDlg::LoadProfile(const CString& strProfileName)
{
    DebugLog(3, "[QxUI] CProfileEditorDlg::LoadProfile(%s)\n", strProfileName.GetString());
    m_strProfileName = strProfileName;
    FreeProfileBuffer();
    m_pProfileBuffer = new BYTE[sizeof(WLANPROFILE)]();
    auto* record = reinterpret_cast<WLANPROFILE*>(m_pProfileBuffer);
    ProfileNameBuffer name(strProfileName);
    if (QXWLAPI.QXWL_ReadProfileData(record, name.text) != QXWL_ERROR_SUCCESS) {
        DebugLog(1, "[QxUI] CProfileEditorDlg::LoadProfile: no profile %s\n", strProfileName.GetString());
        return FALSE;
    }
    LoadRecordIntoPages(*record);

    // The PAC list: the count first, then the entries.
    m_model.Pacs.clear();
    ULONG count = 0;
    if (QXWLAPI.QXWL_ReadPACList(&count, nullptr, name.text) == QXWL_ERROR_SUCCESS && count > 0) {
        std::vector<PAC_ENTRY> pacs(count);
        if (QXWLAPI.QXWL_ReadPACList(&count, reinterpret_cast<BYTE*>(pacs.data()), name.text) == QXWL_ERROR_SUCCESS) {
            pacs.resize(std::min<size_t>(count, pacs.size()));
            m_model.Pacs = std::move(pacs);
        } else {
            DebugLog(1, "[QxUI] CProfileEditorDlg::LoadProfile: the PAC list of %s could not be read\n", strProfileName.GetString());
        }
    }
    return TRUE;
}

void CProfileEditorDlg::LoadRecordIntoPages(const WLANPROFILE& record)
{
    const ULONG ssidLength = std::min<ULONG>(record.SSID.SsidLength, sizeof record.SSID.Ssid);
    if (m_pPageSystemConfig) {
        CPageSystemConfigDlg& system = *m_pPageSystemConfig;
        system.m_strSsid = CString(reinterpret_cast<const char*>(record.SSID.Ssid), static_cast<int>(ssidLength));
        system.m_nNetworkType = record.enumNetworkType;
        system.m_strChannel.Format("%d", static_cast<int>(QXWLAPI.QXWL_FrequencyToChannel(static_cast<ULONG>(record.lFreq))));
        system.m_strProfileId.Format("%d", static_cast<int>(record.nProfileID));
        system.m_nPowerSaveMode = static_cast<ULONG>(PowerSaveCodeToIndex(record.enumPSMode));
        system.m_nTxPower = static_cast<ULONG>(record.lTxPower);
        system.m_bACCam = record.bACCam;
        system.m_nPreamble = static_cast<ULONG>(PreambleCodeToIndex(record.enumPreamType));
        system.m_bUseRts = record.bUseRTSThre ? 1 : 0;
        system.m_nRtsThreshold = system.m_nRtsEdit = kRtsMax;
        if (system.m_bUseRts) system.m_nRtsThreshold = system.m_nRtsEdit = std::clamp<int>(record.lRtsThre, kRtsMin, kRtsMax);
        system.m_bUseFrag = record.bUseFragThre ? 1 : 0;
        system.m_nFragThreshold = system.m_nFragEdit = kFragMax;
        if (system.m_bUseFrag) system.m_nFragThreshold = system.m_nFragEdit = std::clamp<int>(record.lFragThre, kFragMin, kFragMax);
        system.m_bDiagnostic = record.bUseDiagnostic;
    }
    m_nStoredProfileId = static_cast<int>(record.nProfileID);
    m_model.nProfileId = m_nStoredProfileId;

    m_model.nAuthIndex = AuthCodeToIndex(record.enumAuthenMode);
    EncryCodeToIndex(record.enumEncryStatus, &m_model.nEncryIndex);
    m_model.nDefaultKey = static_cast<int>(record.wepDefaultKey);
    m_model.b8021X = record.b8021X ? 1 : 0;
    if (m_pPageAuthEncry) {
        CPageAuthEncryDlg& auth = *m_pPageAuthEncry;
        auth.m_nNetworkType = record.enumNetworkType;
        auth.m_nAuthIndex = m_model.nAuthIndex;
        EncryCodeToIndex(record.enumEncryStatus, &auth.m_nEncryIndex);
        auth.m_nDefaultKey = std::clamp(static_cast<int>(record.wepDefaultKey) - 1, 0, CPageAuthEncryDlg::kWepKeyCount - 1);
        const char* keys[EditorSecurityModel::kWepKeys] = {record.WEPKey1, record.WEPKey2, record.WEPKey3, record.WEPKey4};
        const ULONG types[EditorSecurityModel::kWepKeys] = {record.WEPKey1Type, record.WEPKey2Type, record.WEPKey3Type,
                                                            record.WEPKey4Type};
        for (int key = 0; key < EditorSecurityModel::kWepKeys; ++key) {
            auth.m_nKeyFormat[key] = types[key] == KEYFMT_ASCII ? KEYFMT_ASCII : KEYFMT_HEX;
            auth.m_strWepKey[key] = CString(keys[key], static_cast<int>(strnlen(keys[key], sizeof record.WEPKey1)));
        }
        auth.m_nPskFormat = record.nPskKeyType == KEYFMT_HEX ? KEYFMT_HEX : KEYFMT_ASCII;
        const ULONG pskLength = std::min<ULONG>(record.nPskKeyLen, sizeof record.chPskKey);
        auth.m_strPsk = CString(record.chPskKey, static_cast<int>(strnlen(record.chPskKey, pskLength)));
        auth.m_b8021X = m_model.b8021X;
    }

    StringRecord7& eap = m_model.Eap;
    eap.nEapMethod = static_cast<int>(record.enumAuthenProtocol);
    // The authentication page's move off MD5-Challenge asks the 802.1X page's method before that
    // page loads this record: it must answer this record's method, not the last profile's.
    if (m_pPage8021X && record.enumAuthenProtocol <= EAPMETHOD_LEAP) m_pPage8021X->nEapMethod = eap.nEapMethod;
    if (record.enumAuthenProtocol == EAPMETHOD_TTLS) eap.nTtlsInner = record.enumTunnel;
    else eap.nPeapInner = record.enumTunnel;
    eap.nProvisioningInner = record.enumProvisioningTunnel;
    eap.nSessionResumption = record.nSessionResumption;
    eap.strIdentity = FieldText(record.chID);
    eap.strPassword = FieldText(record.chPassword);
    eap.strDomain = FieldText(record.chDomainName);
    eap.nPasswordMode = record.nPasswordMode;
    eap.bClientCert = record.bClientCert;
    eap.bServerCert = record.bServerCert;
    eap.bPAC = record.bPAC;
    eap.bProvision = record.bProvision;
    eap.strPacFilePath = FieldText(record.chPACfilepath);
    eap.bIntermediateCert = record.bIntermediateCert;
    eap.strServerName = FieldText(record.chServerName);
    m_model.nServerNameRule = record.nServerNameRule;
    m_model.CaCert = record.CA_cert;
    m_model.CaCert.BlobLength = std::min(m_model.CaCert.BlobLength, kBlobDataBytes);
    m_model.UserCert = record.user_cert;
    m_model.UserCert.BlobLength = std::min(m_model.UserCert.BlobLength, kBlobDataBytes);
    m_model.bClientCertInSmartCard = record.bClientCertInSmartCard;
    m_model.nIdModeIndex = record.nIDModeIndex;
    m_model.bCacheUserInfo = record.bCacheUserInfo;
    m_model.SsoInfo = record.ssoInfo & kSsoBits;
    if (m_pPage8021X) LoadSsoBoxes(*m_pPage8021X, m_model.SsoInfo);
    m_model.strUserCertPath = FieldText(record.chUserCertPath);
    m_model.strAsCertPath = FieldText(record.chASCertPath);
    if (m_model.nAuthIndex >= AUTHIDX_WPA && m_model.nAuthIndex <= AUTHIDX_WAPI_PSK && m_pPageAuthEncry) {
        m_model.strPsk = m_pPageAuthEncry->m_strPsk;
        m_model.nPskFormat = m_pPageAuthEncry->m_nPskFormat;
    }
}
