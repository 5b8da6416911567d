// The main window's message protocol: the requests of the pages and classic dialogs, routed to
// the hidden classic dialog concerned, the site-survey page or the hidden main dialog.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "skin/SecurityWizard.h"
#include "ui/DialogTab.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CPageWPSProfile.h"
#include "station/CProfileEditorDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "station/PeapSettingDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr WPARAM kClosed = 0;
constexpr WPARAM kWpsShow = 1;
constexpr WPARAM kFromSiteSurvey = 2;
constexpr WPARAM kFromPage = 3;
constexpr WPARAM kAddFromProfilePage = 4;
constexpr WPARAM kEditFromProfilePage = 5;
constexpr WPARAM kShowPrompt = 8;
constexpr WPARAM kReloginDone = 10;  // the re-login dialog confirmed a WPA, WPA2 or non-802.1X profile
constexpr WPARAM kProfileConnect = 15;
constexpr WPARAM kEditorRefusedNoChannel = 1;  // MSG_PROFILE_LIST_CHANGED: nothing written
constexpr LPARAM kSurveyPreparation = 1;
constexpr LPARAM kHiddenSsidConfirmed = 1;
constexpr LPARAM kEditorOk = 2;
constexpr LPARAM kStatusCancel = 2, kStatusLineAdded = 3;
constexpr ULONG kWscAuthOpen = 1, kWscEncrNone = 1, kWscEncrWep = 2;
constexpr ULONG kWepKeyBytes40 = 5, kWepKeyBytes104 = 13;
constexpr ULONG kP2PEventReadyOidXp = 0x0DF101D6, kP2PEventReadyOid = 0xFFF101D6;
constexpr size_t kSsoStatusBytes = 1040;

// A page or dialog object whose window exists.
bool Alive(const CWnd* wnd)
{
    return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd);
}

bool Visible(const CWnd* wnd)
{
    return Alive(wnd) && ::IsWindowVisible(wnd->m_hWnd);
}

void Missing(const char* message, const char* what)
{
    DebugLog(3, "[QxUI] %s: %s does not exist, request ignored\n", message, what);
}
}  // namespace

LRESULT CKelvoPageUIDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case MSG_SITESURVEY_DONE:
        OnSiteSurveyDone();
        break;
    case ACTION_INSERT_EXEC:
        // The hidden dialog takes the sending page's pending action before this returns.
        if (Alive(m_pOwner)) m_pOwner->SendMessage(ACTION_INSERT_EXEC, wParam, lParam);
        else Missing("ACTION_INSERT_EXEC", "the hidden main dialog");
        break;
    case MSG_PROFILE_LIST_CHANGED:
        OnProfileListChanged(wParam);
        break;
    case MSG_APDETAIL_DLG:
        if (wParam == kClosed) ShowClassicDialog(kLinkStatus);
        break;
    case MSG_ADD_BA_DLG:
        OnAddBaDlg(wParam, lParam);
        break;
    case MSG_DELETE_BA_DLG:
        OnDeleteBaDlg(wParam, lParam);
        break;
    case MSG_PROFILE_EDITOR_DLG:
        OnProfileEditorDlg(wParam, lParam);
        break;
    case MSG_HIDDEN_SSID_DLG:
        OnHiddenSsidDlg(wParam, lParam);
        break;
    case MSG_SECURITY_EDITOR_DLG:
        OnSecurityEditorDlg(wParam, lParam);
        break;
    case MSG_PEAP_SETTING_DLG:
        OnPeapSettingDlg(wParam);
        break;
    case MSG_INVALID_IDPW_DLG:
        if (wParam == kShowPrompt) ShowClassicDialog(kInvalidIdPw);
        else if (wParam == kClosed) ShowClassicDialog(kLinkStatus);
        break;
    case MSG_AUTHEN_STATUS_DLG:
        OnAuthenStatusDlg(wParam, lParam);
        break;
    case MSG_WPS_PROFILE_DLG:
        OnWpsProfileDlg(wParam);
        break;
    case MSG_PROFILE_CONNECT:
        OnProfileConnect(wParam);
        break;
    case MSG_SWITCH_PAGE_SET:
        SwitchPageSet(static_cast<int>(wParam));
        break;
    default:  // MSG_WPS_STATUS_NOTIFY and everything else: the default processing only
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CKelvoPageUIDlg::OnSiteSurveyDone()
{
    if (m_bSoftAPMode) return;
    CWnd* target = nullptr;
    if (Visible(m_pPageSiteSurveyDlg)) {
        m_pPageSiteSurveyDlg->m_bScanDone = 1;
        target = m_pPageSiteSurveyDlg;
    }
    if (Visible(m_pPageWpsListViewDlg)) {
        m_pPageWpsListViewDlg->m_bScanDone = 1;
        target = m_pPageWpsListViewDlg;
    }
    if (Visible(m_pPageProfileCtrlDlg)) {
        m_pPageProfileCtrlDlg->m_bScanDone = 1;
        target = m_pPageProfileCtrlDlg;
    }
    if (target && target == m_pPageWpsListViewDlg) m_pPageWpsListViewDlg->RefreshWpsList();
    else if (target && target == m_pPageProfileCtrlDlg) m_pPageProfileCtrlDlg->RefreshScanList();
    else if (m_pPageSiteSurveyDlg) m_pPageSiteSurveyDlg->RefreshSurveyList();
    else Missing("MSG_SITESURVEY_DONE", "the site-survey page");
}

void CKelvoPageUIDlg::OnProfileListChanged(WPARAM w)
{
    if (w == kEditorRefusedNoChannel) ++m_nEditorChannelRefusals;
    if (w != 0) return;
    ++m_nEditorOkReports;
    if (m_pPageProfileDlg) m_pPageProfileDlg->ReloadProfileList();
    else Missing("MSG_PROFILE_LIST_CHANGED", "the profile page");
}

void CKelvoPageUIDlg::OnAddBaDlg(WPARAM w, LPARAM l)
{
    if (w == kFromPage) {
        if (!m_pAddBlockAckDlg) return Missing("MSG_ADD_BA_DLG", "the add-Block-Ack dialog");
        m_pAddBlockAckDlg->m_bOriginator = l == 1 ? 1 : 0;
        ShowClassicDialog(kAddBlockAck);
    } else if (w == kClosed) {
        ShowClassicDialog(kLinkStatus);
    }
}

void CKelvoPageUIDlg::OnDeleteBaDlg(WPARAM w, LPARAM l)
{
    if (w == kFromPage) {
        if (!m_pDeleteBlockAckDlg) return Missing("MSG_DELETE_BA_DLG", "the delete-Block-Ack dialog");
        m_pDeleteBlockAckDlg->SetVariant(l);  // any L outside 1-4 keeps the flags of its last use
        ShowClassicDialog(kDeleteBlockAck);
    } else if (w == kClosed) {
        ShowClassicDialog(kLinkStatus);
    }
}

void CKelvoPageUIDlg::OnProfileEditorDlg(WPARAM w, LPARAM l)
{
    if (w == kClosed) return ShowClassicDialog(kLinkStatus);
    if (w != kFromSiteSurvey && w != kAddFromProfilePage && w != kEditFromProfilePage) return;
    CProfileEditorDlg* editor = m_pProfileEditorDlg;
    if (!editor) return Missing("MSG_PROFILE_EDITOR_DLG", "the profile editor");
    if (!m_pPageProfileDlg) return Missing("MSG_PROFILE_EDITOR_DLG", "the profile page");
    // Read before the editor's window is made: a user's Add or Edit comes from the visible list.
    const bool fromProfileList = Visible(m_pPageProfileDlg);
    // The editor's pages exist once its window does; each step skips a page that is not there.
    ShowClassicDialog(kProfileEditor);
    CPageSystemConfigDlg* system = Alive(editor->m_pPageSystemConfig) ? editor->m_pPageSystemConfig : nullptr;
    CPageAuthEncryDlg* auth = Alive(editor->m_pPageAuthEncry) ? editor->m_pPageAuthEncry : nullptr;
    CPage8021XDlg* eap = Alive(editor->m_pPage8021X) ? editor->m_pPage8021X : nullptr;
    if (!system || !auth || !eap) DebugLog(3, "[QxUI] MSG_PROFILE_EDITOR_DLG: the editor's pages are not built yet\n");

    if (w == kFromSiteSurvey) {
        const NDIS_WLAN_BSSID_EX* entry = m_pPageSiteSurveyDlg ? m_pPageSiteSurveyDlg->ChosenEntry() : nullptr;
        if (!entry) {
            Missing("MSG_PROFILE_EDITOR_DLG", "the selected survey entry");
        } else {
            if (system)
                system->FillSsidFromScanTable(entry, m_pPageProfileDlg->NextProfileName(),
                                              m_pPageProfileDlg->NextProfileIdText());
            if (auth)
                auth->PresetFromBss(entry, m_pPageSiteSurveyDlg->m_nPendingAuth, m_pPageSiteSurveyDlg->m_bSecured,
                                    m_pPageSiteSurveyDlg->m_strCipherText);
        }
        if (eap) eap->ResetToDefaults();
        editor->m_bNewProfile = 1;
        editor->m_bEditing = 0;
    } else if (w == kAddFromProfilePage) {
        if (system) system->LoadFromScanEntry(m_pPageProfileDlg->NextProfileName(), m_pPageProfileDlg->NextProfileIdText());
        if (auth) auth->ResetToOpen();
        if (eap) eap->ResetToDefaults();
        editor->m_bNewProfile = 1;
        editor->m_bEditing = 0;
    } else {
        const CString name = m_pPageProfileDlg->GetListText(static_cast<int>(l), 1);
        if (system) {
            system->m_strProfileName = name;
            system->m_strProfileId = name;
            system->m_strInitialProfileName = name;
        }
        editor->m_bAuthPageLoading = 1;
        if (eap) eap->m_bLoading = 1;
        editor->LoadProfile(name);
        if (system) system->LoadFromScanEntryEx();
        if (auth) auth->ApplyModel();
        if (eap) eap->LoadSettings();
        editor->m_bNewProfile = 0;
        editor->m_bEditing = 1;
        editor->FreeProfileBuffer();
    }
    // Add and Edit of the visible profile list go on in the profile control page, the first
    // page of the profile road.
    if ((w == kAddFromProfilePage || w == kEditFromProfilePage) && fromProfileList && m_pPageTab &&
        m_pPageProfileCtrlDlg) {
        m_pPageTab->ResetPageHistory();
        m_pPageTab->ShowPage(m_pPageProfileCtrlDlg);
    }
}

void CKelvoPageUIDlg::OnHiddenSsidDlg(WPARAM w, LPARAM l)
{
    if (w == kFromSiteSurvey) return ShowClassicDialog(kHiddenSsid);
    if (w != kClosed) return;
    // The prompt reports Cancel with L 0: nothing is copied and nothing connects.
    if (l != kHiddenSsidConfirmed) return ShowClassicDialog(kLinkStatus);
    CKelvoPageSiteSurveyDlg* survey = m_pPageSiteSurveyDlg;
    if (!survey || !m_pHiddenSsidDlg) {
        Missing("MSG_HIDDEN_SSID_DLG", "the site-survey page or the prompt");
        return ShowClassicDialog(kLinkStatus);
    }
    // The prompt's edit takes 32 characters; a longer text never reaches the record.
    const CString& name = m_pHiddenSsidDlg->m_strSSID;
    NDIS_802_11_SSID& pending = survey->m_PendingSsid;
    pending = {};
    pending.SsidLength = std::min<ULONG>(static_cast<ULONG>(name.GetLength()), kSsidMaxLength);
    memcpy(pending.Ssid, name.GetString(), pending.SsidLength);
    if (survey->m_bSecured) {
        survey->FillSecurityEditor();
        WizardEnterFromSurvey(*this);
    } else {
        survey->ConnectSelected();
        ShowClassicDialog(kLinkStatus);
    }
}

void CKelvoPageUIDlg::OnSecurityEditorDlg(WPARAM w, LPARAM l)
{
    CKelvoPageSiteSurveyDlg* survey = m_pPageSiteSurveyDlg;
    if (w == kFromSiteSurvey) {
        if (!survey) return Missing("MSG_SECURITY_EDITOR_DLG", "the site-survey page");
        if (l == kSurveyPreparation) return survey->ResetEditorCopy();
        CSecurityEditorDlg* editor = m_pSecurityEditorDlg;
        if (!editor) return Missing("MSG_SECURITY_EDITOR_DLG", "the security editor");
        ShowClassicDialog(kSecurityEditor);
        editor->m_bAuthPageLoaded = 0;
        if (Alive(editor->m_pPageAuthEncry) && survey->ChosenEntry())
            editor->m_pPageAuthEncry->PresetFromBssCipherText(survey->ChosenEntry(), survey->m_nPendingAuth,
                                                              survey->m_strCipherText);
        if (Alive(editor->m_pPage8021X)) {
            editor->m_pPage8021X->m_bLoading = 0;
            editor->m_pPage8021X->ResetToDefaults();
        }
        return;
    }
    if (w != kClosed) return;
    if (l == kEditorOk) {
        ++m_nEditorOkReports;
        if (!survey || !m_pSecurityEditorDlg) {
            Missing("MSG_SECURITY_EDITOR_DLG", "the site-survey page or the security editor");
        } else {
            CopySecurityEditorResult();
            survey->ConnectSelected();
        }
    }
    ShowClassicDialog(kLinkStatus);
}

void CKelvoPageUIDlg::CopySecurityEditorResult()
{
    const CSecurityEditorDlg& editor = *m_pSecurityEditorDlg;
    SURVEY_EDITOR_COPY& copy = m_pPageSiteSurveyDlg->m_EditorCopy;
    const int auth = editor.m_nAuthIndex;
    copy.nAuthIndex = auth;
    copy.nEncryIndex = editor.m_nEncryIndex;
    copy.nDefaultKey = editor.m_nDefaultKey;
    copy.b8021X = editor.m_b8021X;

    const bool eapAuth = auth == AUTHIDX_WPA || auth == AUTHIDX_WPA2 || auth == AUTHIDX_CCKM;
    const bool openOrShared = auth == AUTHIDX_OPEN || auth == AUTHIDX_SHARED;
    if (QXWLAPI.IsWpaCapable() && editor.m_b8021X == 1 && (eapAuth || openOrShared)) {
        editor.CopyEapSettings(copy.Eap, copy.ClientCert, copy.ServerCert);
        // The 802.1X words the settings record does not carry: without them the connection
        // would go out with the defaults instead of what the user chose.
        copy.nIdentityMode = static_cast<int>(editor.m_model.nIdModeIndex);
        copy.nServerNameRule = static_cast<int>(editor.m_model.nServerNameRule);
        copy.bClientCertInSmartCard = static_cast<int>(editor.m_model.bClientCertInSmartCard);
        copy.bCacheUserInfo = static_cast<int>(editor.m_model.bCacheUserInfo);
    }

    copy.strCertificate[0] = editor.m_strCertificate[0];
    copy.strCertificate[1] = editor.m_strCertificate[1];

    const CPageAuthEncryDlg* page = editor.m_pPageAuthEncry;
    const bool wepKeys = (!editor.m_b8021X || editor.m_Eap.nEapMethod == static_cast<int>(EAPMETHOD_MD5)) &&
                         (auth == AUTHIDX_SHARED || (auth == AUTHIDX_OPEN && editor.m_nEncryIndex == ENCRIDX_WEP));
    const bool passPhrase = auth >= AUTHIDX_WPA && auth <= AUTHIDX_WAPI_PSK;
    if ((wepKeys || passPhrase) && !page) {
        Missing("MSG_SECURITY_EDITOR_DLG", "the security editor's authentication page");
        return;
    }
    if (wepKeys) {
        const int key = std::clamp(page->m_nDefaultKey, 0, CPageAuthEncryDlg::kWepKeyCount - 1);
        copy.nWepKeyIndex = key;
        copy.nWepKeyLength = page->m_strWepKey[key].GetLength();
        copy.nWepKeyFormat = page->m_nKeyFormat[key];
        copy.nWepDefaultKey = editor.m_nDefaultKey;
        for (int i = 0; i < SURVEY_EDITOR_COPY::kWepKeys; ++i) copy.strWepKey[i] = page->m_strWepKey[i];
    }
    if (passPhrase) {
        copy.strPassPhrase = page->m_strPsk;
        copy.nPassPhraseFormat = page->m_nPskFormat;
    }
}

void CKelvoPageUIDlg::OnPeapSettingDlg(WPARAM w)
{
    if (w == kShowPrompt) {
        if (!m_pPeapSettingDlg) return Missing("MSG_PEAP_SETTING_DLG", "the password prompt");
        const WLANPROFILE* profile = G_pHideDlg ? G_pHideDlg->m_pProfData : nullptr;
        if (profile) m_pPeapSettingDlg->m_strIdentity.Format("%s", CString(profile->chID, static_cast<int>(strnlen(profile->chID, sizeof profile->chID))).GetString());
        m_pPeapSettingDlg->m_strPassword.Empty();
        ShowClassicDialog(kPeapSetting);
    } else if (w == kClosed) {
        BYTE status[kSsoStatusBytes] = {};
        if (QXWLAPI.QXWL_ReadSSOStatus) QXWLAPI.QXWL_ReadSSOStatus(status);
        ShowClassicDialog(kLinkStatus);
    }
}

void CKelvoPageUIDlg::OnAuthenStatusDlg(WPARAM w, LPARAM l)
{
    // The status window reports its button in W (0 OK, 2 Cancel, 3 a line added) and the
    // re-login dialog reports 0 or 10 once it has done its part: OK and the re-login's end
    // bring the link status back; Cancel and a new line leave the area as it is.
    if ((w == kClosed && l != kStatusCancel && l != kStatusLineAdded) || w == kReloginDone)
        ShowClassicDialog(kLinkStatus);
}

void CKelvoPageUIDlg::OnWpsProfileDlg(WPARAM w)
{
    if (w == kClosed) return ShowClassicDialog(kLinkStatus);
    if (w != kWpsShow) return;
    CPageWPSProfile* dlg = m_pPageWPSProfile;
    const CKelvoPageWpsAuthenDlg* page = m_pPageWpsAuthenDlg;
    if (!dlg || !page) return Missing("MSG_WPS_PROFILE_DLG", "the WPS credential dialog or the WPS page");
    dlg->m_bAsciiOffered = 0;
    // The key fields of an earlier credential go first: the dialog would show a stale WEP key
    // again for an open or WPA credential.
    dlg->m_nKeyLength = 0;
    dlg->m_strKeyLength.Empty();
    dlg->m_strKeyIndex.Empty();
    dlg->m_strKeyHex.Empty();
    dlg->m_strKeyAscii.Empty();
    dlg->m_strKeyMaterial.Empty();
    dlg->m_strSsid = page->m_strSsid;
    dlg->m_strBssid = page->m_strBssid;
    dlg->m_strAuth = page->m_strAuth;
    dlg->m_strEncr = page->m_strEncr;
    dlg->m_WpsProfile = page->m_WpsProfile;
    const WPS_CREDENTIAL& first = page->m_WpsProfile.Profile[0];
    if (!(first.AuthType == kWscAuthOpen && first.EncrType == kWscEncrNone)) {
        dlg->m_nKeyLength = page->m_nKeyLength;
        dlg->m_strKeyLength.Format("%d", dlg->m_nKeyLength);
        dlg->m_strKeyIndex.Format("Key#%d", page->m_nKeyIndex);
        if (dlg->m_nKeyLength != 0) {
            if (first.EncrType == kWscEncrWep) {
                // A WEP key is shown in hexadecimal digits: twice its length in bytes.
                if (dlg->m_nKeyLength == kWepKeyBytes40 || dlg->m_nKeyLength == kWepKeyBytes104) {
                    dlg->m_nKeyLength *= 2;
                    dlg->m_strKeyLength.Format("%d", dlg->m_nKeyLength);
                }
                dlg->m_strKeyHex = page->m_strKeyText[0];
                dlg->m_strKeyAscii = page->m_strKeyText[1];
                dlg->m_strKeyMaterial = dlg->m_strKeyHex;
                dlg->m_bAsciiOffered = 1;
            } else {
                const ULONG length = std::min<ULONG>(first.KeyLength, sizeof first.Key);
                const auto* key = reinterpret_cast<const char*>(first.Key);
                dlg->m_strKeyMaterial = CString(key, static_cast<int>(strnlen(key, length)));
                // Outside ASCII format the dialog shows its hexadecimal text: the same key.
                dlg->m_strKeyHex = dlg->m_strKeyMaterial;
            }
        }
    }
    ShowClassicDialog(kWpsProfile);
}

void CKelvoPageUIDlg::OnProfileConnect(WPARAM w)
{
    if (w != kProfileConnect) return;
    CProfileEditorDlg* editor = m_pProfileEditorDlg;
    if (!editor || !m_pPageProfileCtrlDlg) return Missing("MSG_PROFILE_CONNECT", "the profile editor or the profile control page");
    editor->m_bAuthPageLoaded = 1;
    const NDIS_WLAN_BSSID_EX* entry = m_pPageSiteSurveyDlg ? m_pPageSiteSurveyDlg->ChosenEntry() : nullptr;
    if (Alive(editor->m_pPageAuthEncry) && entry)
        editor->m_pPageAuthEncry->PresetFromBssCipherText(entry, m_pPageProfileCtrlDlg->m_nChosenAuth,
                                                          m_pPageProfileCtrlDlg->m_strChosenCipherText);
    if (Alive(editor->m_pPage8021X)) {
        editor->m_pPage8021X->m_bLoading = 0;
        editor->m_pPage8021X->ResetToDefaults();
    }
}

LRESULT CKelvoPageUIDlg::OnWiFiDirectEventMessage(WPARAM, LPARAM)
{
    OnWiFiDirectEvent();
    return 0;
}

void CKelvoPageUIDlg::OnWiFiDirectEvent()
{
    DebugLog(3, "[QxUI] >>MSG_WIFIDIRECT_EVENET<<");
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    if (engine) engine->GetWiFiDirectWpseStatus();
    DebugLog(3, "[QxUI] QXWLAPI.bWiFiDirectSigmaTest = %d\n", QXWLAPI.WiFiDirectSigmaTest);
    if (engine && m_hWnd && Alive(m_pPageWlanP2PDlg) && m_pPageWlanP2PDlg->m_bStarted == 1 &&
        m_pPageWlanP2PDlg->m_bActive == 1)
        m_pPageWlanP2PDlg->SendMessage(MSG_P2P_EVENT, reinterpret_cast<WPARAM>(engine), 0);

    // Re-arms the event in the driver for the next status change.
    const ULONG oid = G_nOSVersion < kOsVista ? kP2PEventReadyOidXp : kP2PEventReadyOid;
    ULONG value = 1;
    LONG result = -1;
    if (QXWLAPI.QXWL_OIDSetInfo) result = QXWLAPI.QXWL_OIDSetInfo(oid, reinterpret_cast<const BYTE*>(&value), sizeof value);
    DebugLog(3, "[QxUI] TFormAdvanced::Dispatch() <--- set SET_P2P_EVENT_READY (%x , 0) return %d\n", oid, result);
}
