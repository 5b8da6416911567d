#include "station/CPageNamePasswordDlg.h"
#include "base/StationLibraryView.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/Dot1XButtons.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

namespace {
constexpr DWORD kNamePartChars = 256;  // each part of the machine identity
constexpr char kMask = '*';
constexpr char kDnsDomainVariable[] = "%USERDNSDOMAIN%";
const int kModeButtons[] = {IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC, IDC_NAMEPW_MODE_WINDOWS, IDC_NAMEPW_MODE_PROMPT};
enum { kInnerMschapV2 = 0, kInnerTls = 1, kInnerGtc = 2 };
}  // namespace

BEGIN_MESSAGE_MAP(CPageNamePasswordDlg, CDot1XChildPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_NAMEPW_SHOWPW, RefreshPasswordDisplay)
    ON_BN_CLICKED(IDC_NAMEPW_MODE_TOKEN, OnPasswordMode)
    ON_BN_CLICKED(IDC_NAMEPW_MODE_STATIC, OnPasswordMode)
    ON_BN_CLICKED(IDC_NAMEPW_MODE_WINDOWS, OnPasswordMode)
    ON_BN_CLICKED(IDC_NAMEPW_MODE_PROMPT, OnPasswordMode)
    ON_CBN_SELCHANGE(IDC_NAMEPW_ID_MODE, OnIdentityModeChange)
END_MESSAGE_MAP()

void CPageNamePasswordDlg::DoDataExchange(CDataExchange* pDX)
{
    CDot1XChildPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NAMEPW_ID_MODE, m_comboIdMode);
    for (int mode = kModeSoftToken; mode <= kModePrompt; ++mode) DDX_Control(pDX, kModeButtons[mode], m_btnMode[mode]);
    DDX_Control(pDX, IDC_NAMEPW_SHOWPW, m_btnShowPassword);
    DDX_Control(pDX, IDC_NAMEPW_SEPARATOR, m_separator);
    DDX_Control(pDX, IDC_NAMEPW_CACHE, m_btnCache);
    DDX_Text(pDX, IDC_NAMEPW_IDENTITY, strIdentity);
    DDX_Text(pDX, IDC_NAMEPW_PASSWORD, strPassword);
    DDX_Text(pDX, IDC_NAMEPW_DOMAIN, strDomain);
    DDX_Check(pDX, IDC_NAMEPW_SHOWPW, bShowPassword);
    DDX_Radio(pDX, IDC_NAMEPW_MODE_TOKEN, nPasswordMode);
    DDX_Check(pDX, IDC_NAMEPW_CACHE, bCacheUserInfo);
}

BOOL CPageNamePasswordDlg::OnInitDialog()
{
    CDot1XChildPage::OnInitDialog();
    const struct {
        int id;
        CString CLanguageTable::*text;
    } texts[] = {
        {IDC_NAMEPW_SEPARATOR, &CLanguageTable::IDS_AUTH_ID_PASSWD},
        {IDC_NAMEPW_PASSWORD_LABEL, &CLanguageTable::IDS_AUTH_PASSWORD},
        {IDC_NAMEPW_DOMAIN_LABEL, &CLanguageTable::IDS_DOMAIN_NAME},
        {IDC_NAMEPW_MODE_LABEL, &CLanguageTable::IDS_8021X_PWD_MODE},
        {IDC_NAMEPW_SHOWPW_LABEL, &CLanguageTable::IDS_SHOW_PASSWORD},
        {IDC_NAMEPW_CACHE_LABEL, &CLanguageTable::IDS_PROF_CACHE_USER_INFO},
        {IDC_NAMEPW_MODE_TOKEN, &CLanguageTable::IDS_8021X_PWD_TOKEN},
        {IDC_NAMEPW_MODE_STATIC, &CLanguageTable::IDS_8021X_PWD_STATIC},
        {IDC_NAMEPW_MODE_WINDOWS, &CLanguageTable::IDS_8021X_PWD_WINDOWS},
        {IDC_NAMEPW_MODE_PROMPT, &CLanguageTable::IDS_8021X_PWD_PROMPT},
    };
    for (const auto& t : texts) {
        SetDlgItemText(t.id, G_LangTable.*t.text);
        GetDlgItem(t.id)->SetFont(&m_font);
    }
    for (CButtonST& button : m_btnMode) StyleCheckButton(button, true);
    StyleCheckButton(m_btnShowPassword, false);
    StyleCheckButton(m_btnCache, false);
    // Nothing longer than the record keeps can be typed.
    const struct {
        int id;
        int most;
    } limits[] = {{IDC_NAMEPW_IDENTITY, kIdentityMaxChars}, {IDC_NAMEPW_PASSWORD, kPasswordMaxChars},
                  {IDC_NAMEPW_DOMAIN, kDomainMaxChars}};
    for (const auto& limit : limits) SendDlgItemMessage(limit.id, EM_LIMITTEXT, static_cast<WPARAM>(limit.most), 0);
    // The cache switch is exchanged with the profile but not offered.
    for (int id : {IDC_NAMEPW_MODE_WINDOWS, IDC_NAMEPW_MODE_PROMPT, IDC_NAMEPW_CACHE, IDC_NAMEPW_CACHE_LABEL})
        ShowItem(id, false);
    UpdatePage(FALSE);
    // One text per entry, across the whole box.
    CRect box;
    m_comboIdMode.GetClientRect(&box);
    m_comboIdMode.SetColumnCount(1);
    m_comboIdMode.SetColumnWidth(0, box.Width());
    m_comboIdMode.AddString(G_LangTable.IDS_AUTH_ID);
    m_comboIdMode.AddString(G_LangTable.IDS_MACHINE_ID);
    m_comboIdMode.SetCurSel(kUserIdentity);
    return TRUE;
}

BOOL CPageNamePasswordDlg::UpdatePage(BOOL bSave)
{
    UpdateData(bSave);
    if (!bSave) RefreshPasswordDisplay();
    return TRUE;
}

int CPageNamePasswordDlg::GetIdentityMode() const
{
    const int sel = m_comboIdMode.m_hWnd ? static_cast<int>(::SendMessageA(m_comboIdMode.m_hWnd, CB_GETCURSEL, 0, 0)) : 0;
    return sel == kMachineIdentity ? kMachineIdentity : kUserIdentity;
}

void CPageNamePasswordDlg::SetIdentityMode(int mode)
{
    if (m_comboIdMode.m_hWnd) m_comboIdMode.SetCurSel(mode == kMachineIdentity ? kMachineIdentity : kUserIdentity);
}

void CPageNamePasswordDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (bShow) RefreshPasswordDisplay();
}

void CPageNamePasswordDlg::RefreshPasswordDisplay()
{
    UpdateData(TRUE);
    const bool switchOn = QXWLAPI.ShowPassword == 1;
    if (!switchOn) {
        ShowItem(IDC_NAMEPW_SHOWPW, false);
        ShowItem(IDC_NAMEPW_SHOWPW_LABEL, false);
    }
    const char mask = bShowPassword && switchOn ? 0 : kMask;
    ::SendDlgItemMessageA(m_hWnd, IDC_NAMEPW_PASSWORD, EM_SETPASSWORDCHAR, static_cast<WPARAM>(mask), 0);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CPageNamePasswordDlg::OnPasswordMode()
{
    UpdateData(TRUE);
    if (m_pOwner) m_pOwner->ClickTab(CPage8021XDlg::kTabIdentity);
    if (QXWLAPI.WinOS() >= kVistaOsCode) {
        ApplyEapHostRules();
        return;
    }
    const bool notToken = nPasswordMode != kModeSoftToken;
    for (int id : {IDC_NAMEPW_IDENTITY, IDC_NAMEPW_PASSWORD, IDC_NAMEPW_PASSWORD_LABEL}) EnableItem(id, notToken);
}

CString CPageNamePasswordDlg::MachineIdentity()
{
    char computer[kNamePartChars + 1] = {};
    DWORD size = sizeof computer;
    if (!::GetComputerNameA(computer, &size)) computer[0] = '\0';
    char domain[kNamePartChars + 1] = {};
    const DWORD needed = ::ExpandEnvironmentStringsA(kDnsDomainVariable, domain, sizeof domain);
    // A domain that does not fit (or a failed expansion) stays unexpanded, like an absent variable.
    if (needed == 0 || needed > sizeof domain) lstrcpynA(domain, kDnsDomainVariable, sizeof domain);
    CString identity;
    identity.Format("host/%s.%s", computer, domain);
    return identity;
}

void CPageNamePasswordDlg::OnIdentityModeChange()
{
    UpdateData(TRUE);
    if (m_pOwner && m_pOwner->m_pPageEAPFast) {
        m_pOwner->m_pPageEAPFast->bAllowProvision = 0;
        m_pOwner->m_pPageEAPFast->FillControls();
    }
    const bool machine = GetIdentityMode() == kMachineIdentity;
    if (machine) {
        for (int id : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_IDENTITY, IDC_NAMEPW_DOMAIN_LABEL, IDC_NAMEPW_DOMAIN,
                       IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC})
            EnableItem(id, false);
        EnableItem(IDC_NAMEPW_PASSWORD_LABEL, true);
        EnableItem(IDC_NAMEPW_PASSWORD, true);
        strIdentity = MachineIdentity();
        UpdateData(FALSE);
    } else {
        EnableItem(IDC_NAMEPW_IDENTITY, true);
        EnableItem(IDC_NAMEPW_MODE_LABEL, true);
        const bool notToken = nPasswordMode != kModeSoftToken;
        EnableItem(IDC_NAMEPW_PASSWORD_LABEL, notToken);
        EnableItem(IDC_NAMEPW_PASSWORD, notToken);
        EnableItem(IDC_NAMEPW_MODE_TOKEN, true);
        EnableItem(IDC_NAMEPW_MODE_STATIC, true);
        const bool fast = m_pOwner && m_pOwner->nEapMethod == EAPMETHOD_FAST;
        EnableItem(IDC_NAMEPW_DOMAIN_LABEL, fast);
        EnableItem(IDC_NAMEPW_DOMAIN, fast);
    }
    if (m_pOwner) {
        m_pOwner->EnableTab(CPage8021XDlg::kTabClientCert, !machine);
        m_pOwner->EnableTab(CPage8021XDlg::kTabServerCert, !machine);
    }
}

int CPageNamePasswordDlg::CheckedMode() const
{
    for (int mode = kModeSoftToken; mode <= kModePrompt; ++mode)
        if (::IsDlgButtonChecked(m_hWnd, kModeButtons[mode]) == BST_CHECKED) return mode;
    return kModeStatic;
}

void CPageNamePasswordDlg::ShowModeButtons(bool bShow)
{
    ShowItem(IDC_NAMEPW_MODE_LABEL, bShow);
    for (int id : kModeButtons) ShowItem(id, bShow);
}

void CPageNamePasswordDlg::ApplyEapHostRules()
{
    if (!m_pOwner) return;
    int mode = CheckedMode();
    EnableItem(IDC_NAMEPW_DOMAIN_LABEL, false);
    EnableItem(IDC_NAMEPW_DOMAIN, false);
    auto userAndPassword = [&](bool user, bool password) {
        EnableItem(IDC_NAMEPW_IDENTITY, user);
        EnableItem(IDC_NAMEPW_PASSWORD_LABEL, password);
        EnableItem(IDC_NAMEPW_PASSWORD, password);
    };
    auto moveTokenToStatic = [&]() {
        if (mode != kModeSoftToken) return;
        mode = kModeStatic;
        CheckRadioButton(IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_PROMPT, IDC_NAMEPW_MODE_STATIC);
        nPasswordMode = kModeStatic;
    };
    const int inner = m_pOwner->nPeapTunnel;
    switch (m_pOwner->nEapMethod) {
    case EAPMETHOD_PEAP:
        EnableItem(IDC_NAMEPW_ID_MODE, false);
        if (inner == kInnerGtc) {
            userAndPassword(mode == kModeStatic, mode == kModeStatic);
            ShowModeButtons(true);
            EnableItem(IDC_NAMEPW_MODE_TOKEN, true);
        } else {
            userAndPassword(true, inner == kInnerMschapV2);
            ShowModeButtons(false);
        }
        break;
    case EAPMETHOD_TLS:
    case EAPMETHOD_TTLS:
        userAndPassword(true, false);
        ShowModeButtons(false);
        break;
    case EAPMETHOD_FAST:
        if (inner == kInnerMschapV2) {
            userAndPassword(true, true);
            ShowModeButtons(true);
            ShowItem(IDC_NAMEPW_MODE_WINDOWS, false);
            ShowItem(IDC_NAMEPW_MODE_PROMPT, false);
            moveTokenToStatic();
        } else if (inner == kInnerTls) {
            userAndPassword(false, true);
            ShowModeButtons(false);
        } else {
            userAndPassword(false, true);
            ShowModeButtons(true);
            EnableItem(IDC_NAMEPW_MODE_TOKEN, true);
        }
        break;
    case EAPMETHOD_MD5:
        userAndPassword(true, true);
        ShowModeButtons(false);
        break;
    case EAPMETHOD_LEAP:
        EnableItem(IDC_NAMEPW_ID_MODE, false);
        ShowModeButtons(true);
        EnableItem(IDC_NAMEPW_MODE_TOKEN, false);
        moveTokenToStatic();
        userAndPassword(mode == kModeStatic, mode == kModeStatic);
        break;
    default: break;
    }
    if (QXWLAPI.WinOS() < kVistaOsCode) {
        ShowItem(IDC_NAMEPW_MODE_WINDOWS, false);
        ShowItem(IDC_NAMEPW_MODE_PROMPT, false);
    }
}
