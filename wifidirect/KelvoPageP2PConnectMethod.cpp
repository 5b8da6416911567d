#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/SecureRandom.h"
#include "core/ProductMessageBox.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CKelvoPageP2PConnectMethod, CDialog)

namespace {
constexpr UINT kRadios[] = {IDC_P2PCM_PBC, IDC_P2PCM_PIN_SHOWN, IDC_P2PCM_PIN_ENTERED};

void SetTextOr(CWnd* page, UINT id, const CString& text, LPCSTR fallback)
{
    if (page->GetDlgItem(static_cast<int>(id))) page->SetDlgItemText(static_cast<int>(id), text.IsEmpty() ? CString(fallback) : text);
}
}  // namespace

CString PinText(ULONG pin)
{
    CString text;
    text.Format("%08lu", pin % 100000000UL);
    return text;
}

CKelvoPageWlanP2PDlg* WiFiDirectMainPage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageWlanP2PDlg : nullptr;
}

void SkinConnectMethodPage(CDialog& page, CWiFiDirectPageSkin& skin, CFloatButton& close, CFloatButton& next,
                           CFloatButton& back, CFloatButton& cancel)
{
    const CLanguageTable& t = G_LangTable;
    SetTextOr(&page, IDC_P2PCM_TITLE, t.IDS_WIFI_DIRECT_WLAN_P2P_CONNECT_METHOD, "Connection Method");
    SetTextOr(&page, IDC_P2PCM_LABEL, t.IDS_WIFI_DIRECT_MAKE_CONNECT_WITH, "Connect with:");
    SetTextOr(&page, IDC_P2PCM_PBC, t.IDS_LAB_ADAPTER_RADIOITEM_00, "Push Button Configuration (PBC)");
    SetTextOr(&page, IDC_P2PCM_PIN_SHOWN, t.IDS_LAB_ADAPTER_RADIOITEM_01, "PIN: this device's PIN");
    SetTextOr(&page, IDC_P2PCM_PIN_ENTERED, t.IDS_LAB_ADAPTER_RADIOITEM_02, "PIN: enter the other device's PIN");
    SetTextOr(&page, IDC_P2PCM_PIN_LABEL, t.IDS_WIFI_DIRECT_PIN_CODE, "PIN Code");
    skin.Titles({IDC_P2PCM_TITLE});
    skin.Labels({IDC_P2PCM_LABEL, IDC_P2PCM_PEER, IDC_P2PCM_PBC, IDC_P2PCM_PIN_SHOWN, IDC_P2PCM_PIN_ENTERED, IDC_P2PCM_PIN_LABEL});
    CWiFiDirectPageSkin::SkinButton(close, page, IDC_P2PCM_CLOSE, kP2PCloseNormal, kP2PCloseHover, true);
    CWiFiDirectPageSkin::SkinButton(next, page, IDC_P2PCM_NEXT, kP2PNextNormal, kP2PNextHover);
    CWiFiDirectPageSkin::SkinButton(back, page, IDC_P2PCM_BACK, kP2PBackNormal, kP2PBackHover);
    CWiFiDirectPageSkin::SkinButton(cancel, page, IDC_P2PCM_CANCEL, kP2PExitNormal, kP2PExitHover);
}

void ReturnToFirstWiFiDirectPage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return;
    CDialog* first = main->m_pPageTab->ResetPageHistory();
    if (!first) first = main->m_pPageWlanP2PDlg;
    main->ShowWiFiDirectPage(first);
}

BEGIN_MESSAGE_MAP(CKelvoPageP2PConnectMethod, CWiFiDirectSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_P2PCM_PBC, OnPushButton)
    ON_BN_CLICKED(IDC_P2PCM_PIN_SHOWN, OnPinShown)
    ON_BN_CLICKED(IDC_P2PCM_PIN_ENTERED, OnPinEntered)
    ON_BN_CLICKED(IDC_P2PCM_NEXT, OnNext)
    ON_BN_CLICKED(IDC_P2PCM_CANCEL, OnCancelPage)
    ON_BN_CLICKED(IDC_P2PCM_CLOSE, OnCancelPage)
    ON_BN_CLICKED(IDC_P2PCM_BACK, OnBack)
END_MESSAGE_MAP()

BOOL CKelvoPageP2PConnectMethod::OnInitDialog()
{
    CDialog::OnInitDialog();
    SkinConnectMethodPage(*this, m_skin, m_btnClose, m_btnNext, m_btnBack, m_btnCancel);
    for (UINT id : kRadios) {
        CheckDlgButton(static_cast<int>(id), BST_UNCHECKED);
        GetDlgItem(static_cast<int>(id))->EnableWindow(FALSE);
    }
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(FALSE);
    if (!GenerateWpsPin(&m_nShowPin)) DebugLog(1, "[QxUI] CKelvoPageP2PConnectMethod: no PIN from the random source\n");
    return TRUE;
}

void CKelvoPageP2PConnectMethod::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        CKelvoPageWlanP2PDlg::PromptPageHidden();
        return;
    }
    CWnd* field = GetDlgItem(IDC_P2PCM_PIN);
    CWnd* label = GetDlgItem(IDC_P2PCM_PIN_LABEL);
    auto* edit = static_cast<CEdit*>(field);
    for (UINT id : kRadios) CheckDlgButton(static_cast<int>(id), BST_UNCHECKED);
    m_strEnterPin.Empty();
    if (m_bIncoming == 1) {
        GetDlgItem(IDC_P2PCM_PIN_ENTERED)->ShowWindow(SW_SHOW);
        for (int i = 0; i < 3; ++i) GetDlgItem(static_cast<int>(kRadios[i]))->EnableWindow(i == m_nMethod);
        if (m_nMethod >= 0 && m_nMethod <= 2) CheckDlgButton(static_cast<int>(kRadios[m_nMethod]), BST_CHECKED);
        label->EnableWindow(m_nMethod != 0);
        field->EnableWindow(m_nMethod != 0);
        edit->SetReadOnly(m_nMethod == 1);
        SetDlgItemText(IDC_P2PCM_PIN, m_nMethod == 1 ? PinText(m_nShowPin) : CString());
        if (m_nMethod == 2) field->SetFocus();
        GetDlgItem(IDC_P2PCM_BACK)->ShowWindow(SW_HIDE);
    } else {
        for (UINT id : kRadios) GetDlgItem(static_cast<int>(id))->EnableWindow(TRUE);
        CheckDlgButton(IDC_P2PCM_PBC, BST_CHECKED);
        m_nMethod = 0;
        label->EnableWindow(FALSE);
        field->EnableWindow(FALSE);
        SetDlgItemText(IDC_P2PCM_PIN, "");
        GetDlgItem(IDC_P2PCM_BACK)->ShowWindow(SW_SHOW);
    }
    SetDlgItemText(IDC_P2PCM_PEER, m_strPeerName.IsEmpty() ? CString() : "[" + m_strPeerName + "]");
}

void CKelvoPageP2PConnectMethod::OnPushButton()
{
    m_nMethod = 0;
    GetDlgItem(IDC_P2PCM_PIN_LABEL)->EnableWindow(FALSE);
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(FALSE);
    SetDlgItemText(IDC_P2PCM_PIN, "");
}

void CKelvoPageP2PConnectMethod::OnPinShown()
{
    m_nMethod = 1;
    GetDlgItem(IDC_P2PCM_PIN_LABEL)->EnableWindow(TRUE);
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(TRUE);
    static_cast<CEdit*>(GetDlgItem(IDC_P2PCM_PIN))->SetReadOnly(TRUE);
    SetDlgItemText(IDC_P2PCM_PIN, PinText(m_nShowPin));
}

void CKelvoPageP2PConnectMethod::OnPinEntered()
{
    m_nMethod = 2;
    GetDlgItem(IDC_P2PCM_PIN_LABEL)->EnableWindow(TRUE);
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(m_bIncoming == 1);
    static_cast<CEdit*>(GetDlgItem(IDC_P2PCM_PIN))->SetReadOnly(FALSE);
    SetDlgItemText(IDC_P2PCM_PIN, "");
}

void CKelvoPageP2PConnectMethod::OnCancelPage()
{
    ::SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    ReturnToFirstWiFiDirectPage();
}

void CKelvoPageP2PConnectMethod::OnBack()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return;
    if (CDialog* previous = main->m_pPageTab->PopPageHistory()) main->ShowWiFiDirectPage(previous);
}

bool CKelvoPageP2PConnectMethod::OnLeavePage()
{
    const bool pbc = IsDlgButtonChecked(IDC_P2PCM_PBC) == BST_CHECKED;
    const bool shown = IsDlgButtonChecked(IDC_P2PCM_PIN_SHOWN) == BST_CHECKED;
    const bool entered = IsDlgButtonChecked(IDC_P2PCM_PIN_ENTERED) == BST_CHECKED;
    if (!pbc && !shown && !entered) {
        DebugLog(3, "[QxUI] OnLeavePage:: No WPS Btn is selected !!\n");
        return false;
    }
    m_nMethod = pbc ? 0 : shown ? 1 : 2;
    CString pin;
    GetDlgItemText(IDC_P2PCM_PIN, pin);
    auto checkPin = [&]() {
        const CString error = CWiFiDirectSettingWPS::CheckPinCode(pin, true);
        if (!error.IsEmpty()) {
            ShowProductMessageBox(error);
            return false;
        }
        m_nEnterPin = std::strtoul(pin.GetString(), nullptr, 10);
        m_strEnterPin = pin;
        return true;
    };
    if ((shown || entered) && m_bIncoming == 1 && !checkPin()) return false;
    if (m_bIncoming == 0 && entered) {
        CWnd* field = GetDlgItem(IDC_P2PCM_PIN);
        if (!field->IsWindowEnabled()) {
            // The first press asks the peer to show its PIN and opens the field for it; the
            // connection with that PIN goes out from the channel page.
            CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
            if (!page || !page->AskPeerForItsPin()) return false;
            field->EnableWindow(TRUE);
            static_cast<CEdit*>(field)->SetReadOnly(FALSE);
            GetDlgItem(IDC_P2PCM_PBC)->EnableWindow(FALSE);
            GetDlgItem(IDC_P2PCM_PIN_SHOWN)->EnableWindow(FALSE);
            field->SetFocus();
            return false;
        }
        if (!checkPin()) return false;
    }
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return true;
    main->m_pPageTab->PushPageHistory(this);
    // Both roles go on to the preferred channel, which starts the connection or answers the request.
    main->ShowWiFiDirectPage(main->m_pPageWlanP2PSettingChannelDlg);
    return true;
}
