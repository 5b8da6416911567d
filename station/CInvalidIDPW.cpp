#include "station/CInvalidIDPW.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "station/ProfileCodes.h"
#include "station/EntryLimits.h"

#include <cstring>

namespace {
constexpr ULONG kTextBytes = 128;
constexpr char kMustInputIdentity[] = "Must input Identity";
constexpr char kMustInputPassword[] = "Must input Password";

// Copies a text into a zero-filled buffer of kTextBytes, always terminated.
void CopyZeroFilled(char (&dest)[kTextBytes], const CString& text)
{
    memset(dest, 0, sizeof dest);
    strncpy(dest, text.GetString(), sizeof dest - 1);
}
}

BEGIN_MESSAGE_MAP(CInvalidIDPW, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnBtnOK)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

void CInvalidIDPW::Ask(const WLANPROFILE& profile, ULONG rejected)
{
    const bool another = !m_bHasProfile || !IsSameProfile(m_Profile, profile) || m_bRejected != rejected;
    m_Profile = profile;
    m_bHasProfile = true;
    m_bRejected = rejected;
    if (another) RefreshWhileShown();
}

// Asked for again while it shows, the dialog gets no show message: another failure must not
// be answered with the message and the fields of the last one. The same one keeps what was typed.
void CInvalidIDPW::RefreshWhileShown()
{
    if (IsShown()) RefreshTexts();
}

bool CInvalidIDPW::IsShown() const
{
    return IsWindow() && (GetStyle() & WS_VISIBLE);
}

CString CInvalidIDPW::TypedIdentity() const
{
    if (!IsWindow()) return m_strIdentity;
    char text[kTextBytes] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_RELOGIN_IDENTITY, text, sizeof text);
    return text;
}

void CInvalidIDPW::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_RELOGIN_CARD_NAME, m_strCardName);
    DDX_Text(pDX, IDC_RELOGIN_PROFILE_NAME, m_strProfileName);
    DDX_Text(pDX, IDC_RELOGIN_MESSAGE, m_strMessage);
    DDX_Text(pDX, IDC_RELOGIN_IDENTITY, m_strIdentity);
    DDX_Text(pDX, IDC_RELOGIN_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_RELOGIN_DOMAIN, m_strDomain);
}

BOOL CInvalidIDPW::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetDlgItemText(IDC_RELOGIN_CARD_LABEL, G_LangTable.IDS_STATIC_CARDNAME);
    SetDlgItemText(IDC_RELOGIN_PROFILE_LABEL, G_LangTable.IDS_STATIC_PROFILENAME);
    SetDlgItemText(IDC_RELOGIN_MESSAGE_LABEL, G_LangTable.IDS_STATIC_MESSAGE);
    SetDlgItemText(IDC_RELOGIN_IDENTITY_LABEL, G_LangTable.IDS_TUNNELID);
    SetDlgItemText(IDC_RELOGIN_PASSWORD_LABEL, G_LangTable.IDS_TUNNELPASSWORD);
    SetDlgItemText(IDC_RELOGIN_DOMAIN_LABEL, G_LangTable.IDS_DOMAIN_NAME);
    SkinButton(m_btnOK, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    // Nothing longer than the profile keeps can be typed.
    SendDlgItemMessage(IDC_RELOGIN_IDENTITY, EM_LIMITTEXT, kIdentityMaxChars, 0);
    SendDlgItemMessage(IDC_RELOGIN_PASSWORD, EM_LIMITTEXT, kPasswordMaxChars, 0);
    SendDlgItemMessage(IDC_RELOGIN_DOMAIN, EM_LIMITTEXT, kDomainMaxChars, 0);
    UpdateFieldVisibility();
    return TRUE;
}

void CInvalidIDPW::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow)
        RefreshTexts();
}

void CInvalidIDPW::RefreshTexts()
{
    m_strCardName.Empty();
    m_strProfileName.Empty();
    m_strMessage.Empty();
    m_strIdentity.Empty();
    m_strPassword.Empty();
    m_strDomain.Empty();
    char desc[kTextBytes] = {};
    QXWLAPI.QXWL_ReadDriverDesc(desc, sizeof desc);
    desc[sizeof desc - 1] = '\0';
    m_strCardName = desc;
    char profile[kProfileNameBytes] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(profile);
    profile[sizeof profile - 1] = '\0';
    m_strProfileName = profile;

    const WLANPROFILE* prof = GetProfile();
    if (m_bRejected) {
        m_strMessage = G_LangTable.IDS_INVALID_IDPW;
    } else if (prof) {
        switch (prof->enumAuthenProtocol) {
        case EAPMETHOD_PEAP: m_strMessage = G_LangTable.IDS_PEAP_TIMEOUT; break;
        case EAPMETHOD_TLS: m_strMessage = G_LangTable.IDS_TLS_TIMEOUT; break;
        case EAPMETHOD_TTLS: m_strMessage = G_LangTable.IDS_TTLS_TIMEOUT; break;
        case EAPMETHOD_FAST: m_strMessage = G_LangTable.IDS_EAP_FAST_TIMEOUT; break;
        case EAPMETHOD_MD5: m_strMessage = G_LangTable.IDS_MD5_TIMEOUT; break;
        case EAPMETHOD_LEAP: m_strMessage = G_LangTable.IDS_LEAP_TIMEOUT; break;
        default: break;
        }
    }
    UpdateFieldVisibility();
    UpdateData(FALSE);
}

void CInvalidIDPW::UpdateFieldVisibility()
{
    const WLANPROFILE* prof = GetProfile();
    const ULONG protocol = prof ? prof->enumAuthenProtocol : EAPMETHOD_PEAP;
    const bool identity = m_bRejected != 0;
    const bool password = identity && protocol != EAPMETHOD_TLS;
    const bool domain = identity && (protocol == EAPMETHOD_FAST || protocol == EAPMETHOD_LEAP);
    const struct { int label, edit; bool show; } rows[] = {
        {IDC_RELOGIN_IDENTITY_LABEL, IDC_RELOGIN_IDENTITY, identity},
        {IDC_RELOGIN_PASSWORD_LABEL, IDC_RELOGIN_PASSWORD, password},
        {IDC_RELOGIN_DOMAIN_LABEL, IDC_RELOGIN_DOMAIN, domain},
    };
    for (const auto& row : rows) {
        ::ShowWindow(::GetDlgItem(m_hWnd, row.label), row.show ? SW_SHOW : SW_HIDE);
        ::ShowWindow(::GetDlgItem(m_hWnd, row.edit), row.show ? SW_SHOW : SW_HIDE);
    }
}

void CInvalidIDPW::OnBtnOK()
{
    UpdateData(TRUE);
    WLANPROFILE* prof = GetProfile();
    if (prof && !m_bRejected) {
        // After a time-out the fields are hidden and empty: the retry keeps the account in force.
        m_strIdentity = CString(prof->chID, static_cast<int>(strnlen(prof->chID, sizeof prof->chID)));
        m_strPassword = CString(prof->chPassword, static_cast<int>(strnlen(prof->chPassword, sizeof prof->chPassword)));
        m_strDomain = CString(prof->chDomainName, static_cast<int>(strnlen(prof->chDomainName, sizeof prof->chDomainName)));
    }
    // A pasted text passes the edits' limit: it is refused, not cut.
    if (!EntriesFit({{m_strIdentity, kIdentityMaxChars, G_LangTable.IDS_TUNNELID},
                     {m_strPassword, kPasswordMaxChars, G_LangTable.IDS_TUNNELPASSWORD},
                     {m_strDomain, kDomainMaxChars, G_LangTable.IDS_DOMAIN_NAME}}))
        return;
    if (prof) {
        if (m_strIdentity.IsEmpty()) {
            ShowProductMessageBox(kMustInputIdentity);
            return;
        }
        if (m_strPassword.IsEmpty() && prof->enumAuthenProtocol != EAPMETHOD_TLS) {
            ShowProductMessageBox(kMustInputPassword);
            return;
        }
    }
    char identity[kTextBytes], password[kTextBytes], domain[kTextBytes];
    CopyZeroFilled(identity, m_strIdentity);
    CopyZeroFilled(password, m_strPassword);
    CopyZeroFilled(domain, m_strDomain);
    QXWLAPI.QXWL_WriteIDnPasswd(identity, password);
    QXWLAPI.QXWL_WriteDomainName(domain);
    if (!prof) {
        // Without the failed profile there is nothing to connect with.
        SendToFrontWindow(MSG_AUTHEN_STATUS_DLG, kReloginOther, 0);
        return;
    }
    CopyZeroFilled(prof->chID, m_strIdentity);
    CopyZeroFilled(prof->chPassword, m_strPassword);
    CopyZeroFilled(prof->chDomainName, m_strDomain);
    // The hidden dialog's record takes the account only while it still is this profile, so
    // that its later retries use the corrected account and another profile is left alone.
    WLANPROFILE* live = G_pHideDlg ? G_pHideDlg->m_pProfData : nullptr;
    if (live && IsSameProfile(*live, *prof)) {
        memcpy(live->chID, prof->chID, sizeof live->chID);
        memcpy(live->chPassword, prof->chPassword, sizeof live->chPassword);
        memcpy(live->chDomainName, prof->chDomainName, sizeof live->chDomainName);
    }
    ::InterlockedExchange(&G_bReConnect, 1);
    QXWLAPI.QXWL_SetWLANProfile(prof);
    const bool wpaOrPlain = prof->b8021X == 0 || prof->enumAuthenMode == AUTH_WPA || prof->enumAuthenMode == AUTH_WPA2;
    SendToFrontWindow(MSG_AUTHEN_STATUS_DLG, wpaOrPlain ? kReloginWpaOrPlain : kReloginOther, 0);
}

void CInvalidIDPW::OnBtnCancel()
{
    ::InterlockedExchange(&G_bReConnect, 0);
    SendToFrontWindow(MSG_INVALID_IDPW_DLG, 0, 0);
}
