#include "station/CSecurityEditorDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageWAPIDlg.h"
#include "station/Dot1XEditorLink.h"
#include "station/EditorTabStrip.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/StationHelpers.h"
#include "skin/MainWindowMessages.h"
#include "ui/TabDialog.h"

#include <algorithm>
#include <utility>

namespace {
constexpr WPARAM kReportClosed = 0, kReportShown = 2;
constexpr LPARAM kReportOk = 2, kReportShownFlag = 1;

bool IsOpenOrShared(int auth) { return auth == AUTHIDX_OPEN || auth == AUTHIDX_SHARED; }
}  // namespace

BEGIN_MESSAGE_MAP(CSecurityEditorDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_SECED_OK, OnBtnOk)
    ON_BN_CLICKED(IDC_SECED_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

CSecurityEditorDlg::CSecurityEditorDlg(CWnd* pParent) : CClassicDlg(IDD, pParent)
{
    m_model.Reset();
    m_Eap = m_model.Eap;
}

CSecurityEditorDlg::~CSecurityEditorDlg()
{
    for (CShadeButtonST*& button : m_pTabButtons) {
        delete button;
        button = nullptr;
    }
    delete m_pPageAuthEncry;
    delete m_pPage8021X;
    delete m_pPageWapi;
    m_pPageAuthEncry = nullptr;
    m_pPage8021X = nullptr;
    m_pPageWapi = nullptr;
    delete m_pTabHost;
    m_pTabHost = nullptr;
}

void CSecurityEditorDlg::CopyEapSettings(StringRecord7& out, VN_BLOB_KEY& clientCert, VN_BLOB_KEY& serverCert) const
{
    out = m_Eap;
    clientCert = m_model.UserCert;
    serverCert = m_model.CaCert;
}

BOOL CSecurityEditorDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_btnOk.SubclassDlgItem(IDC_SECED_OK, this);
    m_btnCancel.SubclassDlgItem(IDC_SECED_CANCEL, this);
    m_pTabHost = new CTabDialog(IDD_AP_TAB, this);
    if (!m_pTabHost->Create(IDD_AP_TAB, this)) return FALSE;
    if (!CreatePages()) return FALSE;
    PlaceEditorTabs(*this, *m_pTabHost, IDC_SECED_TAB_AREA, kTabAuth);
    SkinButton(m_btnOk, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    return TRUE;
}

BOOL CSecurityEditorDlg::CreatePages()
{
    m_pPageAuthEncry = new CPageAuthEncryDlg(m_pTabHost);
    m_pPageAuthEncry->SetHost(this, CPageAuthEncryDlg::kHostSecurityEditor);
    m_pPage8021X = new CPage8021XDlg(m_pTabHost);
    m_pPage8021X->SetHost(this);
    m_pPage8021X->bInProfileEditor = 0;
    m_pPageWapi = new CPageWAPIDlg(m_pTabHost);
    const EditorTab tabs[kTabCount] = {
        {&CLanguageTable::IDS_AUTH_ENCRY, IDC_SECED_TAB_AUTH, m_pPageAuthEncry, CPageAuthEncryDlg::IDD},
        {&CLanguageTable::IDS_TAB8021X, IDC_SECED_TAB_8021X, m_pPage8021X, CPage8021XDlg::IDD},
        {&CLanguageTable::IDS_TAB_WAPI, IDC_SECED_TAB_WAPI, m_pPageWapi, CPageWAPIDlg::IDD},
    };
    if (!AddEditorTabs(*this, *m_pTabHost, m_font, tabs, kTabCount, m_pTabButtons)) return FALSE;
    m_pTabButtons[kTab8021X]->EnableWindow(FALSE);
    m_pTabButtons[kTabWapi]->EnableWindow(FALSE);
    if (!(QXWLAPI.SupportWAPI && IsOpModeOutsideBasic())) m_pTabButtons[kTabWapi]->ShowWindow(SW_HIDE);
    return TRUE;
}

void CSecurityEditorDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) return;
    // The owner hears of it before the first tab comes to the front.
    ReportToOwner(MSG_SECURITY_EDITOR_DLG, kReportShown, kReportShownFlag);
    if (Alive(m_pTabButtons[kTabAuth])) m_pTabButtons[kTabAuth]->SendMessage(BM_CLICK);
}

void CSecurityEditorDlg::Enable8021XTab(BOOL bEnable)
{
    if (Alive(m_pTabButtons[kTab8021X])) m_pTabButtons[kTab8021X]->EnableWindow(bEnable);
}

void CSecurityEditorDlg::EnableWapiTab(BOOL bEnable)
{
    if (Alive(m_pTabButtons[kTabWapi])) m_pTabButtons[kTabWapi]->EnableWindow(bEnable);
}

void CSecurityEditorDlg::ClickAuthTab()
{
    if (Alive(m_pTabButtons[kTabAuth])) m_pTabButtons[kTabAuth]->SendMessage(BM_CLICK);
}

int CSecurityEditorDlg::GetEapMethod()
{
    return m_pPage8021X ? m_pPage8021X->nEapMethod : m_Eap.nEapMethod;
}

void CSecurityEditorDlg::SetEapMethod(int method)
{
    m_Eap.nEapMethod = method;
    m_model.Eap.nEapMethod = method;
    if (m_pPage8021X) ApplyEapMethod(*m_pPage8021X, method);
}

const Dot1XStoredSettings* CSecurityEditorDlg::GetStored8021XSettings()
{
    StoredSettingsFromModel(m_model, m_stored8021X);
    return &m_stored8021X;
}

void CSecurityEditorDlg::OnOK()
{
    if (!Alive(m_pPageAuthEncry) || !Alive(m_pPage8021X)) {
        DebugLog(1, "[QxUI] CSecurityEditorDlg::OnOK: the editor's pages do not exist; nothing reported\n");
        return;
    }
    CPageAuthEncryDlg& auth = *m_pPageAuthEncry;
    if (!UpdateData(TRUE) || !auth.UpdateData(TRUE)) return;
    Read8021XControls(*m_pPage8021X);
    const int method = auth.m_nAuthIndex;
    const bool infra = auth.m_nNetworkType == NETWORK_INFRASTRUCTURE;
    const bool wpa = method == AUTHIDX_WPA || method == AUTHIDX_WPA2;
    if (((IsOpenOrShared(method) && auth.m_b8021X) || (wpa && infra)) && !m_pPage8021X->ValidateSettings()) return;
    if (!auth.ValidateSettings()) return;

    // Gathered into a copy: a refused step leaves the last result as the owner knows it.
    EditorSecurityModel model = m_model;
    model.nAuthIndex = method;
    model.nEncryIndex = auth.m_nEncryIndex;
    model.nDefaultKey = auth.m_nDefaultKey + 1;
    model.b8021X = auth.m_b8021X;
    const bool wpaCapable = QXWLAPI.IsWpaCapable() != FALSE;
    const bool collect = wpaCapable && ((infra && (wpa || method == AUTHIDX_CCKM)) || (IsOpenOrShared(method) && model.b8021X));
    if (collect) {
        if (!Check8021XEntriesFit(*m_pPage8021X)) return;
        Collect8021XSettings(*m_pPage8021X, model);
        if (!WritePacList(model, CString())) return;
    }
    // No WAPI certificate page exists: the two texts stay empty rather than read a missing page.
    if (method == AUTHIDX_WAPI_CA && infra && wpaCapable) {
        m_strCertificate[0].Empty();
        m_strCertificate[1].Empty();
    }
    const bool keysOnly = !model.b8021X || (collect ? model.Eap : m_Eap).nEapMethod == static_cast<int>(EAPMETHOD_MD5);
    if (keysOnly && (method == AUTHIDX_SHARED || (method == AUTHIDX_OPEN && model.nEncryIndex == ENCRIDX_WEP)))
        for (int key = 0; key < EditorSecurityModel::kWepKeys; ++key)
            model.nKeyLength[key] = WepKeyToBytes(auth.m_strWepKey[key], auth.m_nKeyFormat[key], model.WepKey[key]);
    if (method >= AUTHIDX_WPA && method <= AUTHIDX_WAPI_PSK) {
        model.strPsk = auth.m_strPsk;
        model.nPskFormat = auth.m_nPskFormat;
    }

    m_model = std::move(model);
    m_nAuthIndex = m_model.nAuthIndex;
    m_nEncryIndex = m_model.nEncryIndex;
    m_nDefaultKey = m_model.nDefaultKey;
    m_b8021X = m_model.b8021X;
    if (collect) m_Eap = m_model.Eap;
    ReportToOwner(MSG_SECURITY_EDITOR_DLG, kReportClosed, kReportOk);
    m_model.Pacs.clear();
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CSecurityEditorDlg::OnCancel()
{
    if (CWnd* owner = TopLevelOwner()) owner->PostMessage(MSG_SECURITY_EDITOR_DLG, kReportClosed, 0);
    EndDialog(IDCANCEL);
}
