#include "station/CPage8021XDlg.h"
#include "base/StationLibraryView.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageProfileSSODlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/EapCertificateUse.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "ui/TabDialog.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {
constexpr int kImageSize = 16;
constexpr COLORREF kImageBackground = RGB(255, 0, 255);
constexpr int kSlotCount = 5;
const int kSlotIds[kSlotCount] = {IDC_8021X_SLOT1, IDC_8021X_SLOT2, IDC_8021X_SLOT3, IDC_8021X_SLOT4, IDC_8021X_SLOT5};
const int kTabButtonIds[CPage8021XDlg::kTabCount] = {IDC_8021X_TAB_IDENTITY, IDC_8021X_TAB_EAP_FAST,
                                                     IDC_8021X_TAB_CLIENT_CERT, IDC_8021X_TAB_SERVER_CERT,
                                                     IDC_8021X_TAB_SSO};
constexpr UINT kTabShade = CShadeButtonST::SHS_SOFTBUMP;
constexpr BYTE kTabGranularity = 8, kTabHighlight = 10, kTabColoring = 30;

using LangText = CString CLanguageTable::*;
const LangText kMethodCaption[] = {
    &CLanguageTable::IDS_8021X_EAP_PEAP, &CLanguageTable::IDS_8021X_EAP_TLS_SMART_CARD,
    &CLanguageTable::IDS_8021X_EAP_TTLS, &CLanguageTable::IDS_8021X_EAP_EAP_FAST,
    &CLanguageTable::IDS_8021X_EAP_MD5,  &CLanguageTable::IDS_LEAP,
};
constexpr int kMethodCount = 6;
const UINT kPeapCommands[] = {ID_TUNNEL_MSCHAPV2, ID_TUNNEL_TLS, ID_TUNNEL_GTC};
const LangText kPeapCaption[] = {&CLanguageTable::IDS_8021X_PEAP_TUNNEL_MSCHAP2,
                                 &CLanguageTable::IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD,
                                 &CLanguageTable::IDS_8021X_PEAP_TUNNEL_TLS_GTC};
const UINT kTtlsCommands[] = {ID_TTLS_CHAP, ID_TTLS_MSCHAP, ID_TTLS_MSCHAPV2, ID_TTLS_PAP, ID_TTLS_EAP_MD5};
const LangText kTtlsCaption[] = {&CLanguageTable::IDS_8021X_TTLS_TUNNEL_CHAP, &CLanguageTable::IDS_8021X_TTLS_TUNNEL_MS_CHAP,
                                 &CLanguageTable::IDS_8021X_TTLS_TUNNEL_MS_CHAP_V2, &CLanguageTable::IDS_8021X_TTLS_TUNNEL_PAP,
                                 &CLanguageTable::IDS_8021X_TTLS_TUNNEL_EAP_MD5};
const LangText kTabCaption[CPage8021XDlg::kTabCount] = {
    &CLanguageTable::IDS_ID_PASSWORD, &CLanguageTable::IDS_8021X_EAP_EAP_FAST, &CLanguageTable::IDS_TABAUTHENTICATION,
    &CLanguageTable::IDS_TABCASERVER, &CLanguageTable::IDS_TAB_SSO,
};
enum { kInnerMschapV2 = 0, kInnerTls = 1, kInnerGtc = 2 };

LONG OsCode() { return QXWLAPI.WinOS(); }
bool EapHostGeneration() { return OsCode() >= kVistaOsCode; }
bool FastEnhancement() { return QXWLAPI.EAPFastEnhancement == 1; }

// EAP type numbers back to menu indexes; false for a type the menu does not list.
bool PeapIndexOf(ULONG type, int* index)
{
    for (int i = 0; i < 3; ++i)
        if (PeapInnerToEapType(i) == type) return *index = i, true;
    return false;
}
bool TtlsIndexOf(ULONG type, int* index)
{
    for (int i = 0; i < 5; ++i)
        if (TtlsInnerToEapType(i) == type) return *index = i, true;
    return false;
}

bool IsCertChosen(const qxwl::CERT_INFO& cert) { return cert.BlobLength != 0 || cert.szIssuedTo[0] != '\0'; }

// "year/month/day" earlier than today; a text that is not three numbers counts as past too,
// since nothing says the certificate is still valid.
bool ExpiredBeforeToday(const CString& text)
{
    int year = 0, month = 0, day = 0;
    if (std::sscanf(text, "%d/%d/%d", &year, &month, &day) != 3) return true;
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    if (year != now.wYear) return year < now.wYear;
    if (month != now.wMonth) return month < now.wMonth;
    return day < now.wDay;
}

// Under the domain rule a server name needs a dot that is neither its first nor its last character.
bool DomainNameShapeOk(const CString& name)
{
    const int dot = name.Find('.');
    return dot > 0 && dot != name.GetLength() - 1;
}

DmMenuTexts Texts(const UINT* commands, const LangText* captions, int count)
{
    DmMenuTexts texts;
    for (int i = 0; i < count; ++i) texts.SetAt(commands[i], G_LangTable.*captions[i]);
    return texts;
}

void Grey(HMENU menu, UINT command, bool grey)
{
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED));
}
}  // namespace

BEGIN_MESSAGE_MAP(CPage8021XDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_MESSAGE(MSG_EAP_MENU_POPUP, OnEapMenuPopup)
    ON_MESSAGE(MSG_TUNNEL_MENU_POPUP, OnTunnelMenuPopup)
    ON_BN_CLICKED(IDC_8021X_RESUME, OnSessionResumption)
    ON_COMMAND(ID_EAP_PEAP, OnEapPeap)
    ON_COMMAND(ID_EAP_TLS, OnEapTls)
    ON_COMMAND(ID_EAP_TTLS, OnEapTtls)
    ON_COMMAND(ID_EAP_FAST, OnEapFast)
    ON_COMMAND(ID_EAP_MD5, OnEapMd5)
    ON_COMMAND(ID_EAP_LEAP, OnEapLeap)
    ON_COMMAND(ID_TUNNEL_MSCHAPV2, OnPeapTunnelMschapV2)
    ON_COMMAND(ID_TUNNEL_TLS, OnPeapTunnelTls)
    ON_COMMAND(ID_TUNNEL_GTC, OnPeapTunnelGtc)
    ON_COMMAND(ID_TTLS_CHAP, OnTtlsTunnelChap)
    ON_COMMAND(ID_TTLS_MSCHAP, OnTtlsTunnelMsChap)
    ON_COMMAND(ID_TTLS_MSCHAPV2, OnTtlsTunnelMsChapV2)
    ON_COMMAND(ID_TTLS_PAP, OnTtlsTunnelPap)
    ON_COMMAND(ID_TTLS_EAP_MD5, OnTtlsTunnelEapMd5)
END_MESSAGE_MAP()

CPage8021XDlg::~CPage8021XDlg()
{
    for (CShadeButtonST*& button : m_pTabButtons) {
        delete button;
        button = nullptr;
    }
    delete m_pPageNamePassword;
    delete m_pPageEAPFast;
    delete m_pPageClientCert;
    delete m_pPageServerCert;
    delete m_pPageSSO;
    delete m_pTabHost;
}

void CPage8021XDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_8021X_EAP, m_btnEapMethod);
    DDX_Control(pDX, IDC_8021X_TUNNEL, m_btnTunnel);
    DDX_Control(pDX, IDC_8021X_RESUME, m_btnResume);
    DDX_Check(pDX, IDC_8021X_RESUME, bSessionResumption);
}

BOOL CPage8021XDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_peapTexts = Texts(kPeapCommands, kPeapCaption, 3);
    m_ttlsTexts = Texts(kTtlsCommands, kTtlsCaption, 5);
    const struct {
        int id;
        LangText text;
    } labels[] = {
        {IDC_8021X_EAP_LABEL, &CLanguageTable::IDS_AUTH_AUTH_TYPE},
        {IDC_8021X_TUNNEL_LABEL, &CLanguageTable::IDS_AUTHPROTOCOAL},
        {IDC_8021X_RESUME_LABEL, &CLanguageTable::IDS_8021X_SESSION_RESUMPTION},
    };
    for (const auto& label : labels) {
        SetDlgItemText(label.id, G_LangTable.*label.text);
        GetDlgItem(label.id)->SetFont(&m_font);
    }
    m_btnEapMethod.SetFont(&m_font);
    m_btnTunnel.SetFont(&m_font);
    m_btnEapMethod.StyleAsMenuButton();
    m_btnTunnel.StyleAsMenuButton();
    StyleCheckButton(m_btnResume, false);
    // The EAP host generation offers fewer methods: TTLS and MD5-Challenge only come from stored profiles.
    DmMenuTexts eapTexts;
    for (int method = 0; method < kMethodCount; ++method) {
        if (!EapHostGeneration() && method == EAPMETHOD_LEAP) continue;  // keeps the menu's own text
        if (EapHostGeneration() && (method == EAPMETHOD_TTLS || method == EAPMETHOD_MD5)) continue;
        eapTexts.SetAt(ID_EAP_PEAP + method, G_LangTable.*kMethodCaption[method]);
    }
    m_btnEapMethod.SetMenu(EapHostGeneration() ? IDR_MENU_EAP_VISTA : IDR_MENU_EAP_XP, m_hWnd, TRUE, 0,
                           std::move(eapTexts), kImageSize, kImageSize, kImageBackground);
    m_btnEapMethod.SetMenuCallback(m_hWnd, MSG_EAP_MENU_POPUP);
    SetTunnelMenu(false);
    m_btnTunnel.SetMenuCallback(m_hWnd, MSG_TUNNEL_MENU_POPUP);

    m_pTabHost = new CTabDialog(IDD_AP_TAB, this);
    if (!m_pTabHost->Create(IDD_AP_TAB, this) || !CreateChildPages()) return FALSE;
    CRect tabs, area;
    GetDlgItem(IDC_8021X_TAB_AREA)->GetWindowRect(&tabs);
    ScreenToClient(&tabs);
    GetDlgItem(IDC_8021X_PAGE_AREA)->GetWindowRect(&area);
    ScreenToClient(&area);
    m_pTabHost->SetWindowPos(static_cast<const CWnd*>(nullptr), tabs.left, tabs.top, tabs.Width(), tabs.Height(),
                             SWP_NOZORDER | SWP_SHOWWINDOW);
    // Session resumption sits at the end of the tab row, where no tab goes: over the host,
    // which leaves that corner to it.
    m_pTabHost->ModifyStyle(0, WS_CLIPSIBLINGS);
    for (int id : {IDC_8021X_RESUME, IDC_8021X_RESUME_LABEL})
        ::SetWindowPos(::GetDlgItem(m_hWnd, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    area.OffsetRect(-tabs.left, -tabs.top);
    m_pTabHost->PlacePages(area.left, area.top, area.right, area.bottom, 0, 0, kTabIdentity);
    SetEapCaption(nEapMethod);
    return TRUE;
}

BOOL CPage8021XDlg::CreateChildPages()
{
    m_pPageNamePassword = new CPageNamePasswordDlg();
    m_pPageEAPFast = new CPageEAPFastDlg();
    m_pPageClientCert = new CPageClientCertificationDlg();
    m_pPageServerCert = new CPageServerCertificationDlg();
    m_pPageSSO = new CPageProfileSSODlg();
    CDot1XChildPage* pages[kTabCount] = {m_pPageNamePassword, m_pPageEAPFast, m_pPageClientCert, m_pPageServerCert,
                                         m_pPageSSO};
    const UINT templates[kTabCount] = {CPageNamePasswordDlg::IDD, CPageEAPFastDlg::IDD, CPageClientCertificationDlg::IDD,
                                       CPageServerCertificationDlg::IDD, CPageProfileSSODlg::IDD};
    const int slots[kTabCount] = {1, FastEnhancement() ? 4 : 2, 2, 3, 4};
    for (int tab = 0; tab < kTabCount; ++tab) {
        const CRect rc = SlotRect(slots[tab]);
        auto* button = new CShadeButtonST();
        m_pTabButtons[tab] = button;
        if (!button->Create(G_LangTable.*kTabCaption[tab], WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, m_pTabHost,
                            kTabButtonIds[tab]))
            return FALSE;
        button->SetFont(&m_font, TRUE);
        button->SetShade(kTabShade, kTabGranularity, kTabHighlight, kTabColoring, 0, 0, 0);
        button->SetFlat(FALSE);
        pages[tab]->SetOwnerPage(this);
        if (!pages[tab]->Create(templates[tab], m_pTabHost)) {
            DebugLog(1, "[QxUI] CPage8021XDlg: child page %d could not be created\n", tab);
            return FALSE;
        }
        m_pTabHost->AddPage(pages[tab], button);
    }
    return TRUE;
}

void CPage8021XDlg::OnDestroy()
{
    m_btnEapMethod.DestroyWindow();
    m_btnTunnel.DestroyWindow();
    Default();
}

void CPage8021XDlg::OnSessionResumption()
{
    UpdateData(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Tabs.

void CPage8021XDlg::ClickTab(int tab)
{
    CShadeButtonST* button = GetTabButton(tab);
    if (!button || !button->m_hWnd || !m_pTabHost) return;
    m_pTabHost->SendMessage(WM_COMMAND, MAKEWPARAM(kTabButtonIds[tab], BN_CLICKED),
                            reinterpret_cast<LPARAM>(button->m_hWnd));
}

void CPage8021XDlg::EnableTab(int tab, BOOL bEnable)
{
    if (CShadeButtonST* button = GetTabButton(tab); button && button->m_hWnd) button->EnableWindow(bEnable);
}

void CPage8021XDlg::ShowTab(int tab, BOOL bShow)
{
    if (CShadeButtonST* button = GetTabButton(tab); button && button->m_hWnd)
        button->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

CRect CPage8021XDlg::SlotRect(int slot)
{
    // Taken against the tab area, not the host's window: the host is created at the page's
    // corner and moved onto the area only after its buttons exist.
    CRect slotRect, area;
    GetDlgItem(kSlotIds[slot - 1])->GetWindowRect(&slotRect);
    GetDlgItem(IDC_8021X_TAB_AREA)->GetWindowRect(&area);
    slotRect.OffsetRect(-area.left, -area.top);
    return slotRect;
}

void CPage8021XDlg::PlaceTab(int tab, int slot)
{
    CShadeButtonST* button = GetTabButton(tab);
    if (!button || !button->m_hWnd || slot < 1 || slot > kSlotCount) return;
    const CRect rc = SlotRect(slot);
    button->MoveWindow(rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    button->ShowWindow(SW_SHOW);
}

void CPage8021XDlg::LayoutEapFastTabs(int method)
{
    for (int tab : {kTabClientCert, kTabServerCert, kTabEapFast}) {
        ShowTab(tab, TRUE);
        EnableTab(tab, TRUE);
    }
    const bool fastFirst = method == EAPMETHOD_FAST && m_pPageEAPFast->nProvisioningTunnel != kInnerTls &&
                           nPeapTunnel != kInnerTls;
    PlaceTab(kTabEapFast, fastFirst ? 2 : 4);
    PlaceTab(kTabClientCert, fastFirst ? 3 : 2);
    PlaceTab(kTabServerCert, fastFirst ? 4 : 3);
}

bool CPage8021XDlg::ArrangeTabs(int method)
{
    if (!m_pTabHost) return false;
    if (FastEnhancement()) LayoutEapFastTabs(method);
    if (!EapHostGeneration()) {
        ShowTab(kTabSso, FALSE);
        bool fast = false, certs = true;
        switch (method) {
        case EAPMETHOD_FAST:
            fast = true;
            certs = FastEnhancement() &&
                    (m_pPageEAPFast->nProvisioningTunnel == kInnerTls || nPeapTunnel == kInnerTls);
            if (FastEnhancement() && !certs) {
                m_pPageClientCert->bUseClientCert = 0;
                m_pPageClientCert->FillControls();
            }
            break;
        case EAPMETHOD_MD5:
        case EAPMETHOD_LEAP: certs = false; break;
        default: break;
        }
        ShowTab(kTabEapFast, fast);
        ShowTab(kTabClientCert, certs);
        ShowTab(kTabServerCert, certs);
    } else {
        ShowTab(kTabIdentity, TRUE);
        PlaceTab(kTabIdentity, 1);
        m_pPageNamePassword->ShowWindow(SW_SHOW);
        GetDlgItem(IDC_8021X_RESUME)->ShowWindow(SW_SHOW);
        GetDlgItem(IDC_8021X_RESUME_LABEL)->ShowWindow(SW_SHOW);
        ShowTab(kTabEapFast, FALSE);
        switch (method) {
        case EAPMETHOD_MD5:
            ShowTab(kTabClientCert, FALSE);
            PlaceTab(kTabServerCert, 2);
            PlaceTab(kTabSso, 4);
            break;
        case EAPMETHOD_LEAP:
            ShowTab(kTabClientCert, FALSE);
            ShowTab(kTabServerCert, FALSE);
            for (int id : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_STATIC, IDC_NAMEPW_MODE_WINDOWS, IDC_NAMEPW_MODE_PROMPT})
                m_pPageNamePassword->ShowItem(id, true);
            PlaceTab(kTabSso, 2);
            break;
        case EAPMETHOD_FAST:
            // The system's EAP host configures EAP-FAST itself.
            for (int tab = 0; tab < kTabCount; ++tab) ShowTab(tab, FALSE);
            for (CDialog* page : {static_cast<CDialog*>(m_pPageNamePassword), static_cast<CDialog*>(m_pPageEAPFast),
                                  static_cast<CDialog*>(m_pPageClientCert), static_cast<CDialog*>(m_pPageServerCert),
                                  static_cast<CDialog*>(m_pPageSSO)})
                page->ShowWindow(SW_HIDE);
            GetDlgItem(IDC_8021X_RESUME)->ShowWindow(SW_HIDE);
            GetDlgItem(IDC_8021X_RESUME_LABEL)->ShowWindow(SW_HIDE);
            if (bInProfileEditor) {
                PlaceTab(kTabSso, 1);
                ClickTab(kTabSso);
            }
            return false;
        default:
            PlaceTab(kTabClientCert, 2);
            PlaceTab(kTabServerCert, 3);
            PlaceTab(kTabSso, 4);
            break;
        }
    }
    return true;
}

void CPage8021XDlg::SelectEapMethod(int method)
{
    if (ArrangeTabs(method)) ClickTab(kTabIdentity);
}

// ---------------------------------------------------------------------------------------------
// Menus.

void CPage8021XDlg::SetEapCaption(int method)
{
    if (method < 0 || method >= kMethodCount) return;
    // The XP line's LEAP item keeps its menu text.
    m_btnEapMethod.SetWindowText(method == EAPMETHOD_LEAP && !EapHostGeneration() ? CString("LEAP")
                                                                                  : G_LangTable.*kMethodCaption[method]);
}

void CPage8021XDlg::SetTunnelMenu(bool ttls)
{
    if (ttls)
        m_btnTunnel.SetMenu(IDR_MENU_TTLS_TUNNEL, m_hWnd, TRUE, 0, Texts(kTtlsCommands, kTtlsCaption, 5), kImageSize,
                            kImageSize, kImageBackground);
    else
        m_btnTunnel.SetMenu(IDR_MENU_PEAP_TUNNEL, m_hWnd, TRUE, 0, Texts(kPeapCommands, kPeapCaption, 3), kImageSize,
                            kImageSize, kImageBackground);
}

void CPage8021XDlg::DisableTunnelButton()
{
    GetDlgItem(IDC_8021X_TUNNEL_LABEL)->EnableWindow(FALSE);
    m_btnTunnel.EnableWindow(FALSE);
    m_btnTunnel.SetWindowText("");
}

bool CPage8021XDlg::NoEapHost()
{
    return EapHostGeneration() && QXWLAPI.QXWL_IsEapHostInstalled && !QXWLAPI.QXWL_IsEapHostInstalled();
}

LRESULT CPage8021XDlg::OnEapMenuPopup(WPARAM wParam, LPARAM)
{
    const HMENU menu = reinterpret_cast<HMENU>(wParam);
    for (UINT command : {ID_EAP_PEAP, ID_EAP_TLS, ID_EAP_TTLS, ID_EAP_FAST}) Grey(menu, command, false);
    Grey(menu, ID_EAP_MD5, !bAllowMd5);
    if (NoEapHost()) {
        Grey(menu, ID_EAP_LEAP, true);
        Grey(menu, ID_EAP_FAST, true);
    }
    return 0;
}

LRESULT CPage8021XDlg::OnTunnelMenuPopup(WPARAM wParam, LPARAM)
{
    if (NoEapHost()) Grey(reinterpret_cast<HMENU>(wParam), ID_TUNNEL_GTC, true);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Method handlers.

bool CPage8021XDlg::IdentityModeIsUser()
{
    return m_pPageNamePassword->GetIdentityMode() == CPageNamePasswordDlg::kUserIdentity;
}

void CPage8021XDlg::ResetIdentityMode()
{
    m_pPageNamePassword->EnableItem(IDC_NAMEPW_ID_MODE, false);
    m_pPageNamePassword->SetIdentityMode(CPageNamePasswordDlg::kUserIdentity);
}

// TTLS and MD5 ask a name and password but no domain; the EAP host decides its own fields.
void CPage8021XDlg::ApplyPasswordIdentityRules()
{
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    ResetIdentityMode();
    if (EapHostGeneration()) {
        id.ApplyEapHostRules();
        return;
    }
    id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, true);
    id.EnableItem(IDC_NAMEPW_PASSWORD, true);
    id.EnableItem(IDC_NAMEPW_DOMAIN_LABEL, false);
    id.EnableItem(IDC_NAMEPW_DOMAIN, false);
    for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC}) id.ShowItem(item, false);
}

void CPage8021XDlg::OnEapPeap()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_PEAP;
    SetEapCaption(nEapMethod);
    GetDlgItem(IDC_8021X_TUNNEL_LABEL)->EnableWindow(TRUE);
    m_btnTunnel.EnableWindow(TRUE);
    SetTunnelMenu(false);
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    ResetIdentityMode();
    for (int item : {IDC_NAMEPW_PASSWORD_LABEL, IDC_NAMEPW_PASSWORD, IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN})
        id.EnableItem(item, false);
    id.EnableItem(IDC_NAMEPW_IDENTITY, !EapHostGeneration());
    if (EapHostGeneration()) id.ApplyEapHostRules();
    OnPeapTunnelMschapV2();
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnEapTls()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_TLS;
    SetEapCaption(nEapMethod);
    DisableTunnelButton();
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    ResetIdentityMode();
    if (EapHostGeneration()) {
        id.ApplyEapHostRules();
    } else {
        id.EnableItem(IDC_NAMEPW_IDENTITY, true);
        for (int item : {IDC_NAMEPW_PASSWORD_LABEL, IDC_NAMEPW_PASSWORD, IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN})
            id.EnableItem(item, false);
        for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC, IDC_NAMEPW_MODE_WINDOWS,
                         IDC_NAMEPW_MODE_PROMPT, IDC_NAMEPW_CACHE, IDC_NAMEPW_CACHE_LABEL})
            id.ShowItem(item, false);
    }
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.EnableItem(IDC_CLICERT_USE_LABEL, true);
    client.bUseClientCert = 1;
    client.SetItemCheck(IDC_CLICERT_USE, true);
    client.EnableItem(IDC_CLICERT_USE, false);
    client.FillCertificateList();
    client.EnableControls(TRUE);
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnEapTtls()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_TTLS;
    SetEapCaption(nEapMethod);
    GetDlgItem(IDC_8021X_TUNNEL_LABEL)->EnableWindow(TRUE);
    m_btnTunnel.EnableWindow(TRUE);
    SetTunnelMenu(true);
    ApplyPasswordIdentityRules();
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.UpdateData(TRUE);
    client.EnableItem(IDC_CLICERT_USE_LABEL, true);
    client.EnableItem(IDC_CLICERT_USE, true);
    client.EnableItem(IDC_CLICERT_LIST, client.bUseClientCert != 0);
    OnTtlsTunnelChap();
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnEapMd5()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_MD5;
    SetEapCaption(nEapMethod);
    DisableTunnelButton();
    ApplyPasswordIdentityRules();
    m_pPageClientCert->bUseClientCert = 0;
    m_pPageClientCert->SetItemCheck(IDC_CLICERT_USE, false);
    m_pPageClientCert->EnableItem(IDC_CLICERT_USE, true);
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnEapLeap()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_LEAP;
    SetEapCaption(nEapMethod);
    DisableTunnelButton();
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    if (EapHostGeneration()) {
        id.ApplyEapHostRules();
    } else {
        for (int item : {IDC_NAMEPW_PASSWORD_LABEL, IDC_NAMEPW_PASSWORD, IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN})
            id.EnableItem(item, true);
        for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC}) id.ShowItem(item, false);
    }
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnEapFast()
{
    if (!m_pTabHost) return;  // not created yet
    nEapMethod = EAPMETHOD_FAST;
    SetEapCaption(nEapMethod);
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.UpdateData(TRUE);
    if (EapHostGeneration()) {
        DisableTunnelButton();
        id.EnableItem(IDC_NAMEPW_ID_MODE, false);
        id.ApplyEapHostRules();
        client.EnableItem(IDC_CLICERT_USE, true);
        client.EnableItem(IDC_CLICERT_LIST, client.bUseClientCert != 0);
        SelectEapMethod(nEapMethod);
        return;
    }
    const bool enhanced = FastEnhancement();
    GetDlgItem(IDC_8021X_TUNNEL_LABEL)->EnableWindow(enhanced);
    m_btnTunnel.EnableWindow(enhanced);
    SetTunnelMenu(false);
    id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, false);
    id.EnableItem(IDC_NAMEPW_PASSWORD, false);
    id.EnableItem(IDC_NAMEPW_ID_MODE, true);
    const bool user = IdentityModeIsUser();
    for (int item : {IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN, IDC_NAMEPW_IDENTITY}) id.EnableItem(item, user);
    client.EnableItem(IDC_CLICERT_USE, true);
    if (!enhanced) {
        client.bUseClientCert = 0;
        client.FillControls();
        m_pPageServerCert->bUseServerCert = 0;
        m_pPageServerCert->FillControls();
        OnPeapTunnelGtc();
    } else {
        client.EnableItem(IDC_CLICERT_LIST, client.bUseClientCert != 0);
        OnPeapTunnelMschapV2();
        m_pPageEAPFast->ApplyMode();
    }
    SelectEapMethod(nEapMethod);
}

// ---------------------------------------------------------------------------------------------
// Inner methods.

void CPage8021XDlg::SyncProvisioningTunnel()
{
    m_pPageEAPFast->nProvisioningTunnel = ProvisioningIndexFromCaption(m_pPageEAPFast->GetProvisioningCaption());
    m_pPageEAPFast->FillControls();
}

void CPage8021XDlg::SetPeapInner(int inner)
{
    if (!m_pTabHost) return;
    SyncProvisioningTunnel();
    nPeapTunnel = inner;
    m_btnTunnel.SetWindowText(G_LangTable.*kPeapCaption[inner]);
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    if (EapHostGeneration()) {
        id.ApplyEapHostRules();
    } else {
        id.UpdateData(TRUE);
        const bool user = IdentityModeIsUser();
        const bool fastGtc = nEapMethod == EAPMETHOD_FAST && m_pPageEAPFast->nProvisioningTunnel == kInnerGtc;
        auto modeControls = [&](bool show) {
            for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC}) {
                id.ShowItem(item, show);
                if (show) id.EnableItem(item, user);
            }
        };
        switch (inner) {
        case kInnerMschapV2:
            id.EnableItem(IDC_NAMEPW_IDENTITY, user);
            id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, true);
            id.EnableItem(IDC_NAMEPW_PASSWORD, true);
            modeControls(fastGtc && user);
            break;
        case kInnerTls: {
            id.EnableItem(IDC_NAMEPW_IDENTITY, user);
            const bool password = nEapMethod == EAPMETHOD_FAST && m_pPageEAPFast->nProvisioningTunnel != kInnerTls;
            id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, password);
            id.EnableItem(IDC_NAMEPW_PASSWORD, password);
            modeControls(fastGtc && user);
            break;
        }
        default: {
            const bool notToken = id.nPasswordMode != CPageNamePasswordDlg::kModeSoftToken;
            for (int item : {IDC_NAMEPW_IDENTITY, IDC_NAMEPW_PASSWORD_LABEL, IDC_NAMEPW_PASSWORD})
                id.EnableItem(item, notToken);
            modeControls(user);
            break;
        }
        }
    }
    AfterPeapInner();
}

void CPage8021XDlg::AfterPeapInner()
{
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    if (nPeapTunnel == kInnerTls) {
        client.EnableItem(IDC_CLICERT_USE_LABEL, true);
        client.bUseClientCert = 1;
        client.SetItemCheck(IDC_CLICERT_USE, true);
        client.EnableItem(IDC_CLICERT_USE, false);
        client.FillCertificateList();
        client.EnableControls(TRUE);
    } else {
        client.EnableItem(IDC_CLICERT_USE_LABEL, false);
        client.EnableItem(IDC_CLICERT_USE, false);
        client.bUseClientCert = 0;
        client.SetItemCheck(IDC_CLICERT_USE, false);
        client.EnableControls(FALSE);
    }
    SelectEapMethod(nEapMethod);
}

void CPage8021XDlg::OnPeapTunnelMschapV2() { SetPeapInner(kInnerMschapV2); }
void CPage8021XDlg::OnPeapTunnelTls() { SetPeapInner(kInnerTls); }
void CPage8021XDlg::OnPeapTunnelGtc() { SetPeapInner(kInnerGtc); }

void CPage8021XDlg::SetTtlsInner(int inner)
{
    if (!m_pTabHost) return;
    nTtlsTunnel = inner;
    m_btnTunnel.SetWindowText(G_LangTable.*kTtlsCaption[inner]);
}

void CPage8021XDlg::OnTtlsTunnelChap() { SetTtlsInner(0); }
void CPage8021XDlg::OnTtlsTunnelMsChap() { SetTtlsInner(1); }
void CPage8021XDlg::OnTtlsTunnelMsChapV2() { SetTtlsInner(2); }
void CPage8021XDlg::OnTtlsTunnelPap() { SetTtlsInner(3); }
void CPage8021XDlg::OnTtlsTunnelEapMd5() { SetTtlsInner(4); }

void CPage8021XDlg::ApplyStoredMethod(int method)
{
    static void (CPage8021XDlg::*const kPeap[])() = {&CPage8021XDlg::OnPeapTunnelMschapV2,
                                                      &CPage8021XDlg::OnPeapTunnelTls, &CPage8021XDlg::OnPeapTunnelGtc};
    static void (CPage8021XDlg::*const kTtls[])() = {&CPage8021XDlg::OnTtlsTunnelChap, &CPage8021XDlg::OnTtlsTunnelMsChap,
                                                      &CPage8021XDlg::OnTtlsTunnelMsChapV2, &CPage8021XDlg::OnTtlsTunnelPap,
                                                      &CPage8021XDlg::OnTtlsTunnelEapMd5};
    const int peap = nPeapTunnel >= 0 && nPeapTunnel < 3 ? nPeapTunnel : 0;
    const int ttls = nTtlsTunnel >= 0 && nTtlsTunnel < 5 ? nTtlsTunnel : 0;
    switch (method) {
    case EAPMETHOD_PEAP:
        OnEapPeap();
        (this->*kPeap[peap])();
        break;
    case EAPMETHOD_TLS: OnEapTls(); break;
    case EAPMETHOD_TTLS:
        OnEapTtls();
        (this->*kTtls[ttls])();
        break;
    case EAPMETHOD_FAST:
        OnEapFast();
        (this->*kPeap[peap])();
        break;
    case EAPMETHOD_MD5: OnEapMd5(); break;
    case EAPMETHOD_LEAP: OnEapLeap(); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// Load, reset, show.

void CPage8021XDlg::LoadSettings()
{
    const Dot1XStoredSettings* stored = m_pHost ? m_pHost->GetStored8021XSettings() : nullptr;
    if (!stored) {
        DebugLog(1, "[QxUI] CPage8021XDlg::LoadSettings: the editor holds no 802.1X settings\n");
        return;
    }
    LoadSettings(*stored);
}

void CPage8021XDlg::LoadSettings(const Dot1XStoredSettings& stored)
{
    if (!m_pTabHost) return;
    const StringRecord7& eap = stored.eap;
    // Step 1: the method and its inner methods; an unknown method or type keeps the previous one.
    const int method = static_cast<int>(eap.nEapMethod);
    const bool knownMethod = method >= 0 && method < kMethodCount;
    if (knownMethod) nEapMethod = method;
    PeapIndexOf(eap.nPeapInner, &nPeapTunnel);
    TtlsIndexOf(eap.nTtlsInner, &nTtlsTunnel);
    // The stored provisioning tunnel; the EAP-FAST page takes it in step 3.
    int provisioning = m_pPageEAPFast->nProvisioningTunnel;
    PeapIndexOf(eap.nProvisioningInner, &provisioning);
    if (knownMethod) ApplyStoredMethod(nEapMethod);
    bSessionResumption = eap.nSessionResumption ? 1 : 0;
    FillControls();

    // Step 2: identity.
    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    id.SetIdentityMode(stored.nIDModeIndex == CPageNamePasswordDlg::kMachineIdentity ? 1 : 0);
    id.strIdentity = eap.strIdentity;
    id.strPassword = eap.strPassword;
    id.strDomain = eap.strDomain;
    id.nPasswordMode = static_cast<int>(eap.nPasswordMode) <= CPageNamePasswordDlg::kModePrompt
                           ? static_cast<int>(eap.nPasswordMode)
                           : CPageNamePasswordDlg::kModeStatic;
    id.bShowPassword = 0;
    id.bCacheUserInfo = stored.bCacheUserInfo ? 1 : 0;
    const bool user = stored.nIDModeIndex == CPageNamePasswordDlg::kUserIdentity;
    const bool notToken = id.nPasswordMode != CPageNamePasswordDlg::kModeSoftToken;
    if (user) {
        for (int item : {IDC_NAMEPW_IDENTITY, IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC})
            id.EnableItem(item, true);
        id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, notToken);
        id.EnableItem(IDC_NAMEPW_PASSWORD, notToken);
        id.EnableItem(IDC_NAMEPW_DOMAIN_LABEL, nEapMethod == EAPMETHOD_FAST);
        id.EnableItem(IDC_NAMEPW_DOMAIN, nEapMethod == EAPMETHOD_FAST);
    } else {
        for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_IDENTITY, IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN,
                         IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC})
            id.EnableItem(item, false);
        id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, true);
        id.EnableItem(IDC_NAMEPW_PASSWORD, true);
    }
    EnableTab(kTabClientCert, user);
    EnableTab(kTabServerCert, user);
    id.UpdatePage(FALSE);

    // Step 3: EAP-FAST.
    CPageEAPFastDlg& fast = *m_pPageEAPFast;
    fast.strPacFilePath = eap.strPacFilePath;
    std::vector<CPageEAPFastDlg::PacEntry> pacs;
    for (const PAC_ENTRY& entry : stored.pacList) {
        CPageEAPFastDlg::PacEntry row;
        row.bSelected = static_cast<int>(entry.dwValue);
        row.strFileName = CString(entry.szText1, static_cast<int>(strnlen(entry.szText1, sizeof entry.szText1)));
        row.strFilePath = CString(entry.szText2, static_cast<int>(strnlen(entry.szText2, sizeof entry.szText2)));
        pacs.push_back(row);
    }
    fast.TakePacList(std::move(pacs));
    fast.bUsePac = eap.bPAC ? 1 : 0;
    fast.bAllowProvision = eap.bProvision ? 1 : 0;
    fast.EnableItem(IDC_EAPFAST_IMPORT, fast.bUsePac != 0);
    fast.EnableItem(IDC_EAPFAST_REMOVE, fast.bUsePac != 0);
    fast.nProvisioningTunnel = provisioning;
    fast.ApplyMode();
    fast.FillControls();

    // Step 4: client certificate.
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.ClearChoice();
    client.bUseClientCert = eap.bClientCert ? 1 : 0;
    client.UpdateForEapMethod(nEapMethod, PeapInnerToEapType(nPeapTunnel));
    client.nCertSource = stored.nSmartCard ? CPageClientCertificationDlg::kCertOnSmartCard
                                           : CPageClientCertificationDlg::kCertOnComputer;
    // The source reaches its buttons whether or not the stored certificate is found.
    client.FillControls();
    client.SelectStoredCertificate(stored.userCert);

    // Step 5: server certificate.
    CPageServerCertificationDlg& server = *m_pPageServerCert;
    server.bUseServerCert = eap.bServerCert ? 1 : 0;
    server.bAllowIntermediate = eap.bIntermediateCert ? 1 : 0;
    server.nServerNameRule = stored.nServerNameRule ? CPageServerCertificationDlg::kNameDomainEnd
                                                    : CPageServerCertificationDlg::kNameExact;
    server.strServerName = eap.strServerName;
    server.ClearChoice();
    server.EnableControls();
    server.SelectStoredAuthority(stored.caCert);

    // Step 6: a token card inner method keeps the stored password mode.
    if (eap.nPeapInner == RS_TunnelGTC || eap.nProvisioningInner == RS_TunnelGTC) {
        id.nPasswordMode = static_cast<int>(eap.nPasswordMode) <= CPageNamePasswordDlg::kModePrompt
                               ? static_cast<int>(eap.nPasswordMode)
                               : CPageNamePasswordDlg::kModeStatic;
        id.UpdatePage(FALSE);
    }
}

void CPage8021XDlg::RestoreClientCert(const VN_BLOB_KEY& chosen)
{
    if (chosen.BlobLength) {
        m_pPageClientCert->SelectStoredCertificate(chosen);
        return;
    }
    if (!m_pHost || !QXWLAPI.QXWL_Read8021XCert) return;
    ProfileNameBuffer name(m_pHost->GetProfileName());
    VN_BLOB_KEY caCert = {}, userCert = {};
    if (QXWLAPI.QXWL_Read8021XCert(&caCert, &userCert, name.text) == QXWL_ERROR_SUCCESS && userCert.BlobLength)
        m_pPageClientCert->SelectStoredCertificate(userCert);
}

void CPage8021XDlg::ResetToDefaults()
{
    if (!m_pTabHost) return;
    bSessionResumption = 1;
    nEapMethod = EAPMETHOD_PEAP;
    nPeapTunnel = kInnerMschapV2;
    ApplyStoredMethod(EAPMETHOD_PEAP);
    FillControls();

    CPageNamePasswordDlg& id = *m_pPageNamePassword;
    id.strIdentity.Empty();
    id.strPassword.Empty();
    id.strDomain.Empty();
    id.nPasswordMode = CPageNamePasswordDlg::kModeStatic;
    id.bShowPassword = 0;
    id.bCacheUserInfo = 1;
    id.SetIdentityMode(CPageNamePasswordDlg::kUserIdentity);
    id.UpdatePage(FALSE);

    CPageEAPFastDlg& fast = *m_pPageEAPFast;
    fast.strPacFilePath.Empty();
    fast.bAllowProvision = 1;
    fast.bUsePac = 1;
    fast.nProvisioningTunnel = kInnerMschapV2;
    fast.ScanPacFolder();
    fast.FillControls();

    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.bUseClientCert = 0;
    client.ClearChoice();
    client.nCertSource = CPageClientCertificationDlg::kCertOnComputer;
    client.FillControls();

    CPageServerCertificationDlg& server = *m_pPageServerCert;
    server.ClearChoice();
    server.bUseServerCert = 0;
    server.bAllowIntermediate = 0;
    server.nServerNameRule = CPageServerCertificationDlg::kNameExact;
    server.strServerName.Empty();
    server.FillControls();

    m_pPageSSO->bUseSso = 0;
    m_pPageSSO->bAllowMachineAuth = 0;
    m_pPageSSO->nLogonType = 0;
    // The editors read the boxes back on OK: they must not keep the last profile's ticks.
    if (m_pPageSSO->m_hWnd) m_pPageSSO->UpdateData(FALSE);
}

void CPage8021XDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow || !m_pTabHost) return;
    bAllowMd5 = 0;
    if (CPageAuthEncryDlg* auth = m_pHost ? m_pHost->GetAuthPage() : nullptr) {
        const bool openOrShared = auth->m_nAuthIndex == AUTHIDX_OPEN || auth->m_nAuthIndex == AUTHIDX_SHARED;
        const bool noneOrWep = auth->m_nEncryIndex == ENCRIDX_NONE || auth->m_nEncryIndex == ENCRIDX_WEP;
        bAllowMd5 = auth->m_b8021X && (openOrShared || noneOrWep) ? 1 : 0;
    }
    if (!bInProfileEditor) return;
    // The replay picks the first certificate again: what the user chose on the page (read
    // from its controls first) is put back after it.
    CPageClientCertificationDlg& client = *m_pPageClientCert;
    client.UpdateData(TRUE);
    const VN_BLOB_KEY chosen = client.ChosenBlob();
    if (nEapMethod == EAPMETHOD_LEAP)
        OnEapLeap();
    else
        ApplyStoredMethod(nEapMethod);
    RestoreClientCert(chosen);
}

// ---------------------------------------------------------------------------------------------
// Validation.

bool CPage8021XDlg::CheckUserName()
{
    const CPageNamePasswordDlg& id = *m_pPageNamePassword;
    if (id.strIdentity.IsEmpty() && id.nPasswordMode != CPageNamePasswordDlg::kModeSoftToken) {
        ShowProductMessageBox(G_LangTable.IDS_IDREQUIRED);
        return false;
    }
    return true;
}

bool CPage8021XDlg::CheckPassword()
{
    if (m_pPageNamePassword->strPassword.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_PWDREQUIRED);
        return false;
    }
    return true;
}

bool CPage8021XDlg::CheckCertificate()
{
    const CPageClientCertificationDlg& client = *m_pPageClientCert;
    if (!client.bUseClientCert) return true;
    if (!IsCertChosen(client.certChosen)) {
        ShowProductMessageBox(G_LangTable.IDS_CHECKRULE5);
        return false;
    }
    // A stored certificate the store does not hold has no date to check.
    if (!client.ChoiceIsKeptOnly() && ExpiredBeforeToday(CertText(client.certChosen.szExpiration))) {
        ShowProductMessageBox(G_LangTable.IDS_ERROR_CERT_INVALID_EXPDAT);
        return false;
    }
    return true;
}

bool CPage8021XDlg::CheckServer(bool eapHost)
{
    const CPageServerCertificationDlg& server = *m_pPageServerCert;
    if (!server.bUseServerCert) return true;
    if (server.strServerName.IsEmpty()) {
        ShowProductMessageBox(eapHost ? G_LangTable.IDS_SERVER_NAME_REQUIRED : G_LangTable.IDS_IDREQUIRED);
        return false;
    }
    if (server.nServerNameRule == CPageServerCertificationDlg::kNameDomainEnd && !DomainNameShapeOk(server.strServerName)) {
        ShowProductMessageBox(G_LangTable.IDS_CHECKRULE7);
        return false;
    }
    return true;
}

BOOL CPage8021XDlg::ValidateSettings()
{
    if (!m_pTabHost) return TRUE;
    UpdateData(TRUE);
    m_pPageNamePassword->UpdatePage(TRUE);
    m_pPageClientCert->UpdateData(TRUE);
    m_pPageServerCert->UpdateData(TRUE);
    return EapHostGeneration() ? ValidateEapHost() : ValidateClassic();
}

BOOL CPage8021XDlg::ValidateClassic()
{
    if (!CheckUserName()) return FALSE;
    const bool passwordNeeded = (nEapMethod == EAPMETHOD_PEAP && nPeapTunnel != kInnerTls) ||
                                nEapMethod == EAPMETHOD_TTLS || nEapMethod == EAPMETHOD_FAST ||
                                nEapMethod == EAPMETHOD_LEAP;
    // A soft token answers the token card with a one-time password asked for at each connect:
    // the password edit is greyed, and nothing is stored to ask for here.
    const bool softTokenCard = (nEapMethod == EAPMETHOD_PEAP || nEapMethod == EAPMETHOD_FAST) &&
                               nPeapTunnel == kInnerGtc &&
                               m_pPageNamePassword->nPasswordMode == CPageNamePasswordDlg::kModeSoftToken;
    if (passwordNeeded && !softTokenCard && !CheckPassword()) return FALSE;
    if (nEapMethod == EAPMETHOD_MD5 && m_pPageNamePassword->strPassword.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_CHECKRULE4);
        return FALSE;
    }
    // Its tab hidden, a certificate the method does not use would be refused with nothing on
    // screen to explain it.
    const StringRecord7 method = MethodOf(*this);
    if (ClientCertInUse(*this, method) && !IsCertChosen(m_pPageClientCert->certChosen)) {
        ShowProductMessageBox(G_LangTable.IDS_CHECKRULE5);
        return FALSE;
    }
    return !ServerCertInUse(*this, method) || CheckServer(false) ? TRUE : FALSE;
}

BOOL CPage8021XDlg::ValidateEapHost()
{
    const bool staticMode = m_pPageNamePassword->nPasswordMode == CPageNamePasswordDlg::kModeStatic;
    bool ok = true;
    switch (nEapMethod) {
    case EAPMETHOD_PEAP:
        if (nPeapTunnel == kInnerMschapV2)
            ok = CheckUserName() && CheckPassword() && CheckServer(true);
        else if (nPeapTunnel == kInnerTls)
            ok = CheckUserName() && CheckCertificate() && CheckServer(true);
        else if (nPeapTunnel == kInnerGtc)
            ok = CheckServer(true) && (!staticMode || (CheckUserName() && CheckPassword()));
        break;
    case EAPMETHOD_TLS: ok = CheckUserName() && CheckCertificate() && CheckServer(true); break;
    case EAPMETHOD_LEAP: ok = !staticMode || (CheckUserName() && CheckPassword()); break;
    default: break;
    }
    return ok ? TRUE : FALSE;
}
