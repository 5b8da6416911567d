#include "skin/SecurityWizard.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSecurityConfirmDlg.h"
#include "skin/KelvoPageSecurityPeapDlg.h"
#include "skin/KelvoPageSecurityPskDlg.h"
#include "skin/KelvoPageSecuritySercaDlg.h"
#include "skin/KelvoPageSecuritySetOKDlg.h"
#include "skin/KelvoPageSecurityTlsDlg.h"
#include "skin/KelvoPageSecurityTtlsDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSecurityWepDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWirelessSettingDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CProfileEditorDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "station/WepKeyGeneration.h"
#include "ui/DialogTab.h"

namespace {
bool Alive(const CWnd* wnd)
{
    return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd);
}

void Repaint(CKelvoPageUIDlg& main)
{
    if (main.m_hWnd) main.Invalidate(TRUE);
}

// The editor's window or child page is gone (never made, or destroyed): nothing is written.
void Missing(const char* what)
{
    DebugLog(1, "[QxUI] security wizard: the editor has no %s; nothing written\n", what);
}

// Why the profile editor wrote nothing when it had no channel text for the network.
CString NoChannelMessage(const WizardEditor& e)
{
    const bool adhoc = e.system && e.system->m_nNetworkType != CPageSystemConfigDlg::kInfrastructure;
    if (adhoc && !G_LangTable.IDS_SYSCONFIG_NO_CHANN_4_ADHOC.IsEmpty()) return G_LangTable.IDS_SYSCONFIG_NO_CHANN_4_ADHOC;
    return G_LangTable.IDS_MSG_PROFILE_NO_CHANNEL;
}
}  // namespace

WizardStep RouteAfterSecurityType(bool adhoc, int index, int eapMethod)
{
    if (adhoc) {
        if (index == WIZSEC_WEP) return WizardStep::Wep;
        if (index == WIZSEC_WPA_PSK) return WizardStep::Psk;
        return WizardStep::Confirm;
    }
    switch (index) {
    case WIZSEC_WEP:
        return WizardStep::Wep;
    case WIZSEC_WPA_PSK:
    case WIZSEC_WPA2_PSK:
        return WizardStep::Psk;
    case WIZSEC_WPA:
    case WIZSEC_WPA2:
    case WIZSEC_8021X:
        return PageOfEapMethod(eapMethod);
    default:
        return WizardStep::Confirm;
    }
}

WizardStep RouteAfterPeap(bool validateServerCertificate)
{
    return validateServerCertificate ? WizardStep::Serca : WizardStep::Confirm;
}

WizardStep PageOfEapMethod(int eapMethod)
{
    if (eapMethod == WIZEAP_TLS) return WizardStep::Tls;
    if (eapMethod == WIZEAP_TTLS) return WizardStep::Ttls;
    return WizardStep::Peap;
}

CDialog* WizardPage(CKelvoPageUIDlg& main, WizardStep step)
{
    switch (step) {
    case WizardStep::WirelessSetting: return main.m_pPageWirelessSettingDlg;
    case WizardStep::SecurityType: return main.m_pPageSecurityTypeDlg;
    case WizardStep::Wep: return main.m_pPageSecurityWepDlg;
    case WizardStep::Psk: return main.m_pPageSecurityPskDlg;
    case WizardStep::Tls: return main.m_pPageSecurityTlsDlg;
    case WizardStep::Ttls: return main.m_pPageSecurityTtlsDlg;
    case WizardStep::Peap: return main.m_pPageSecurityPeapDlg;
    case WizardStep::Serca: return main.m_pPageSecuritySercaDlg;
    case WizardStep::Confirm: return main.m_pPageSecurityConfirmDlg;
    case WizardStep::SetOK: return main.m_pPageSecuritySetOKDlg;
    default: return nullptr;
    }
}

HBITMAP WizardStripBitmap(UINT id)
{
    return CKelvoPageUIDlg::StripBitmapOf(id);
}

void WizardSelectStrip(CKelvoPageUIDlg& main, UINT id)
{
    if (HBITMAP strip = WizardStripBitmap(id)) main.SetTabStripBitmap(strip);
}

void WizardForward(CDialog& from, WizardStep to)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return;
    CDialog* next = WizardPage(*main, to);
    if (!next) return;
    from.ShowWindow(SW_HIDE);
    main->m_pPageTab->PushPageHistory(&from);
    main->m_pPageTab->ShowPage(next);
}

void WizardSwitch(WizardStep to)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return;
    if (CDialog* page = WizardPage(*main, to)) main->m_pPageTab->ShowPage(page);
}

CDialog* WizardBack(CDialog& from)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return nullptr;
    CDialog* previous = main->m_pPageTab->PopPageHistory();
    if (!previous) return nullptr;  // nothing to go back to: the page stays
    if (&from == main->m_pPageSecurityTypeDlg && previous == main->m_pPageSiteSurveyDlg)
        WizardSelectStrip(*main, kStripBitmapSurvey);
    else if (&from == main->m_pPageWirelessSettingDlg)
        WizardSelectStrip(*main, kStripBitmapProfile);
    main->m_pPageTab->ShowPage(previous);
    Repaint(*main);
    return previous;
}

CDialog* WizardExit(CDialog& from)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return nullptr;
    from.ShowWindow(SW_HIDE);
    CDialog* first = main->m_pPageTab->ResetPageHistory();
    if (!first) first = main->m_pPageProfileDlg;  // entered from nowhere: the profile list
    WizardSelectStrip(*main, first == main->m_pPageSiteSurveyDlg ? kStripBitmapSurvey : kStripBitmapProfile);
    main->m_pPageTab->ShowPage(first);
    Repaint(*main);
    return first;
}

bool WizardEnteredFromSurvey(CKelvoPageUIDlg& main)
{
    if (!main.m_pPageTab) return false;
    CDialog* top = main.m_pPageTab->PopPageHistory();
    if (!top) return false;
    main.m_pPageTab->PushPageHistory(top);
    return top == main.m_pPageSiteSurveyDlg;
}

void WizardEnterFromSurvey(CKelvoPageUIDlg& main)
{
    if (!main.m_pPageTab || !main.m_pPageSiteSurveyDlg) return;
    main.m_pPageTab->ResetPageHistory();
    main.m_pPageTab->PushPageHistory(main.m_pPageSiteSurveyDlg);
    WizardSelectStrip(main, kStripBitmapWizard);
    main.m_pPageTab->ShowPage(main.m_pPageSecurityTypeDlg);
    Repaint(main);
}

WizardEditor GetWizardEditor(bool profileRoad)
{
    WizardEditor e;
    e.profileRoad = profileRoad;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main) return e;
    if (profileRoad) {
        CProfileEditorDlg* editor = main->m_pProfileEditorDlg;
        if (!editor) return e;
        e.editor = editor;
        if (Alive(editor->m_pPageAuthEncry)) e.auth = editor->m_pPageAuthEncry;
        if (Alive(editor->m_pPage8021X)) e.dot1x = editor->m_pPage8021X;
        if (Alive(editor->m_pPageSystemConfig)) e.system = editor->m_pPageSystemConfig;
    } else {
        CSecurityEditorDlg* editor = main->m_pSecurityEditorDlg;
        if (!editor) return e;
        e.editor = editor;
        if (Alive(editor->m_pPageAuthEncry)) e.auth = editor->m_pPageAuthEncry;
        if (Alive(editor->m_pPage8021X)) e.dot1x = editor->m_pPage8021X;
    }
    return e;
}

// ---------------------------------------------------------------------------------------------
// The 802.1X page and its child pages.

namespace {
CPageNamePasswordDlg* IdentityPage(const WizardEditor& e)
{
    return e.dot1x && Alive(e.dot1x->m_pPageNamePassword) ? e.dot1x->m_pPageNamePassword : nullptr;
}

CPageClientCertificationDlg* ClientCertPage(const WizardEditor& e)
{
    return e.dot1x && Alive(e.dot1x->m_pPageClientCert) ? e.dot1x->m_pPageClientCert : nullptr;
}

CPageServerCertificationDlg* ServerCertPage(const WizardEditor& e)
{
    return e.dot1x && Alive(e.dot1x->m_pPageServerCert) ? e.dot1x->m_pPageServerCert : nullptr;
}
}  // namespace

int WizardEapMethodOf(const WizardEditor& e)
{
    return e.dot1x ? e.dot1x->nEapMethod : WIZEAP_PEAP;
}

int WizardPeapInnerOf(const WizardEditor& e)
{
    return e.dot1x ? e.dot1x->nPeapTunnel : 0;
}

int WizardTtlsInnerOf(const WizardEditor& e)
{
    return e.dot1x ? e.dot1x->nTtlsTunnel : 0;
}

void WizardSelectEapMethod(const WizardEditor& e, int method)
{
    if (!e.dot1x) return Missing("the 802.1X page");
    if (method == WIZEAP_TLS) e.dot1x->OnEapTls();
    else if (method == WIZEAP_TTLS) e.dot1x->OnEapTtls();
    else e.dot1x->OnEapPeap();
}

void WizardSelectPeapInner(const WizardEditor& e, int inner)
{
    if (!e.dot1x) return Missing("the 802.1X page");
    if (inner == 1) e.dot1x->OnPeapTunnelTls();
    else e.dot1x->OnPeapTunnelMschapV2();
}

void WizardSelectTtlsInner(const WizardEditor& e, int inner)
{
    if (!e.dot1x) return Missing("the 802.1X page");
    switch (inner) {
    case 0: e.dot1x->OnTtlsTunnelChap(); break;
    case 1: e.dot1x->OnTtlsTunnelMsChap(); break;
    case 2: e.dot1x->OnTtlsTunnelMsChapV2(); break;
    default: e.dot1x->OnTtlsTunnelPap(); break;
    }
}

CString WizardIdentity(const WizardEditor& e)
{
    CPageNamePasswordDlg* page = IdentityPage(e);
    if (!page) return CString();
    page->UpdatePage(TRUE);
    return page->strIdentity;
}

CString WizardPassword(const WizardEditor& e)
{
    CPageNamePasswordDlg* page = IdentityPage(e);
    if (!page) return CString();
    page->UpdatePage(TRUE);
    return page->strPassword;
}

void WizardSetIdentity(const WizardEditor& e, const CString& identity)
{
    CPageNamePasswordDlg* page = IdentityPage(e);
    if (!page) return Missing("the identity page");
    page->UpdatePage(TRUE);
    page->strIdentity = identity;
    page->UpdatePage(FALSE);
}

void WizardSetPassword(const WizardEditor& e, const CString& password)
{
    CPageNamePasswordDlg* page = IdentityPage(e);
    if (!page) return Missing("the identity page");
    page->UpdatePage(TRUE);
    page->strPassword = password;
    page->UpdatePage(FALSE);
}

std::vector<WizardCertificate> WizardClientCertificates(const WizardEditor& e, int* selected)
{
    std::vector<WizardCertificate> certs;
    if (selected) *selected = -1;
    CPageClientCertificationDlg* page = ClientCertPage(e);
    if (!page) return certs;
    CComboBoxSuper& combo = page->Combo();
    for (int row = 0; row < combo.GetCount(); ++row)
        certs.push_back({combo.GetItemText(row, 0), combo.GetItemText(row, 2)});
    if (selected) *selected = combo.GetCurSel();
    return certs;
}

void WizardSelectClientCertificate(const WizardEditor& e, int index)
{
    CPageClientCertificationDlg* page = ClientCertPage(e);
    if (!page) return Missing("the client-certificate page");
    page->Combo().SetCurSel(index);
    page->OnSelectionChange();
}

bool WizardUsesServerCertificate(const WizardEditor& e)
{
    CPageServerCertificationDlg* page = ServerCertPage(e);
    return page && page->bUseServerCert == 1;
}

void WizardSetUseServerCertificate(const WizardEditor& e, bool use)
{
    CPageServerCertificationDlg* page = ServerCertPage(e);
    if (!page) return Missing("the server-certificate page");
    page->bUseServerCert = use ? 1 : 0;
    page->FillControls();
    page->OnUseServerCert();
}

std::vector<CString> WizardCertificateAuthorities(const WizardEditor& e, int* selected)
{
    std::vector<CString> names;
    if (selected) *selected = -1;
    CPageServerCertificationDlg* page = ServerCertPage(e);
    if (!page) return names;
    CComboBoxSuper& combo = page->Combo();
    for (int row = 0; row < combo.GetCount(); ++row) names.push_back(combo.GetItemText(row, 0));
    if (selected) *selected = combo.GetCurSel();
    return names;
}

CString WizardServerName(const WizardEditor& e)
{
    CPageServerCertificationDlg* page = ServerCertPage(e);
    return page ? page->strServerName : CString();
}

void WizardSetServerCa(const WizardEditor& e, const CString& serverName, int caIndex)
{
    CPageServerCertificationDlg* page = ServerCertPage(e);
    if (!page) return Missing("the server-certificate page");
    page->UpdateData(TRUE);
    page->strServerName = serverName;
    page->FillControls();
    page->Combo().SetCurSel(caIndex);
    page->OnSelectionChange();
}

CString WizardCertificateText(const WizardCertificate& cert)
{
    CString expiry = cert.expiry;
    expiry.Replace('/', '-');
    CString text;
    text.Format("%s [%s%s]", cert.name.GetString(), "Expired on: ", expiry.GetString());
    return text;
}

void WizardFillEapCipherList(CComboBox& combo, const WizardEditor& e)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    const bool dot1xType = main && main->m_pPageSecurityTypeDlg && main->m_pPageSecurityTypeDlg->m_strSecurityText == "802.1X";
    combo.ResetContent();
    if (dot1xType) {
        combo.AddString("WEP");
    } else {
        combo.AddString("TKIP");
        combo.AddString("AES");
    }
    const int encry = e.auth ? e.auth->m_nEncryIndex : ENCRIDX_NONE;
    combo.SetCurSel(encry != ENCRIDX_WEP && encry == ENCRIDX_AES && !dot1xType ? 1 : 0);
}

void WizardWriteEapCipher(CComboBox& combo, const WizardEditor& e)
{
    if (!e.auth) return;
    const CString text = combo.GetCurSel() >= 0 ? [&] { CString t; combo.GetLBText(combo.GetCurSel(), t); return t; }() : CString();
    if (text == "WEP") e.auth->OnEncryWep();
    else if (text == "AES") e.auth->OnEncryAes();
    else e.auth->OnEncryTkip();
}

void WizardFillEapTypeList(CComboBox& combo, int method)
{
    combo.ResetContent();
    combo.AddString("TLS");
    combo.AddString("PEAP");
    // The TTLS page names its own method even where TTLS is not offered for a choice (a stored
    // TTLS profile on a newer system), rather than show another method selected.
    if ((G_pHideDlg && G_pHideDlg->m_bSupportTTLS) || method == WIZEAP_TTLS) combo.AddString("TTLS");
    const int entry = method == WIZEAP_TLS ? 0 : method == WIZEAP_TTLS ? 2 : 1;
    combo.SetCurSel(entry < combo.GetCount() ? entry : 1);
}

int WizardEapMethodOfText(const CString& text)
{
    if (text == "TLS") return WIZEAP_TLS;
    if (text == "TTLS") return WIZEAP_TTLS;
    if (text == "PEAP") return WIZEAP_PEAP;
    return -1;
}

void WizardFillCertificateList(CComboBox& combo, const WizardEditor& e)
{
    combo.ResetContent();
    int selected = -1;
    for (const WizardCertificate& cert : WizardClientCertificates(e, &selected))
        combo.AddString(WizardCertificateText(cert));
    combo.SetCurSel(selected);
}

bool WizardMakeWepKeys(const CString& passPhrase, bool bits128, CString (&keys)[4])
{
    if (bits128) {
        BYTE digest[kWep128DigestBytes] = {};
        if (!GenerateWep128Key(passPhrase.GetString(), digest)) return false;
        const CString key = WepKeyHexText(digest, kWep128KeyBytes);
        for (CString& k : keys) k = key;
        return true;
    }
    BYTE bytes[kWep64OutputBytes] = {};
    if (!GenerateWep64Keys(passPhrase.GetString(), bytes)) return false;
    for (int k = 0; k < kWep64KeyCount; ++k) keys[k] = WepKeyHexText(bytes + k * kWep64KeyBytes, kWep64KeyBytes);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Save.

bool WizardRunEditorOk(const WizardEditor& e)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !e.editor) return false;
    // The main window counts the editors' reports of a finished OK.
    const int before = main->m_nEditorOkReports;
    if (e.profileRoad) static_cast<CProfileEditorDlg*>(e.editor)->OnOK();
    else static_cast<CSecurityEditorDlg*>(e.editor)->OnOK();
    return main->m_nEditorOkReports != before;
}

bool WizardSave(CDialog& confirmPage)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageSecurityTypeDlg) return false;
    const bool profileRoad = main->m_pPageSecurityTypeDlg->bUseProfileEditor != 0;
    const WizardEditor e = GetWizardEditor(profileRoad);
    const int refusals = main->m_nEditorChannelRefusals;
    if (!WizardRunEditorOk(e)) {
        DebugLog(1, "[QxUI] security wizard: the editor did not save; the summary stays\n");
        // The editor says nothing when it refuses a profile without a channel: the wizard does.
        if (main->m_nEditorChannelRefusals != refusals) ShowProductMessageBox(NoChannelMessage(e));
        return false;
    }
    if (!profileRoad) {
        confirmPage.ShowWindow(SW_HIDE);
        main->ShowLinkInfoTab();
        if (main->m_pPageProfileDlg) {
            main->m_pPageProfileDlg->m_strAppliedName.Empty();
            main->m_pPageProfileDlg->m_bConnectPending = 0;
        }
        return true;
    }
    if (main->m_pPageProfileCtrlDlg && main->m_pPageProfileCtrlDlg->m_bNewProfile) {
        if (main->m_pPageTab) main->m_pPageTab->ShowPage(main->m_pPageSecuritySetOKDlg);
        return true;
    }
    confirmPage.ShowWindow(SW_HIDE);
    const CString saved = e.system ? e.system->m_strProfileName : CString();
    if (main->m_pPageProfileDlg && !saved.IsEmpty() && main->m_pPageProfileDlg->m_strAppliedName == saved)
        main->ShowLinkInfoTab();
    else
        main->ShowProfileTab();
    return true;
}

void BytesToHexText(const BYTE* bytes, int count, char* out, int length, int fromStart)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (!out || length < 0) return;
    memset(out, '0', static_cast<size_t>(length));
    out[length] = '\0';
    if (!bytes || count <= 0) return;
    if (fromStart) {
        for (int i = 0; i < count && 2 * i + 1 < length; ++i) {
            out[2 * i] = kDigits[bytes[i] >> 4];
            out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
        }
    } else {
        int pos = length;
        for (int i = count - 1; i >= 0 && pos >= 2; --i) {
            out[--pos] = kDigits[bytes[i] & 0x0F];
            out[--pos] = kDigits[bytes[i] >> 4];
        }
    }
}
