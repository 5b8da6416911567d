#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSettingChannelDlg, CDialog)

namespace {
CAdvancedWiFiDirect* Engine()
{
    return G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageWlanP2PSettingChannelDlg, CKelvoPageWlanP2PSettingPage)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CKelvoPageWlanP2PSettingChannelDlg::SetUpPage()
{
    SetUpRow(G_LangTable.IDS_WIFI_DIRECT_CONNECT_SETTING, "Connection Settings", G_LangTable.IDS_WIFI_DIRECT_PREFERRED_CHANNEL,
             "Preferred Channel", false, 32);
}

void CKelvoPageWlanP2PSettingChannelDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CKelvoWizardPage::OnShowWindow(bShow, nStatus);
    if (!bShow) CKelvoPageWlanP2PDlg::PromptPageHidden();
}

void CKelvoPageWlanP2PSettingChannelDlg::OnShowPage()
{
    CAdvancedWiFiDirect* engine = Engine();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_WIZPSK_CIPHER));
    if (!combo) return;
    CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
    // The channel chosen last, by its number; "%d" of the index + 1 before any was chosen.
    CString current;
    if (page && !page->m_strChannel.IsEmpty()) current = page->m_strChannel;
    else current.Format("%d", (page ? page->m_nChannelIndex : 0) + 1);
    m_channels.clear();
    m_nSelection = -1;
    if (engine && engine->m_pSetting) engine->m_pSetting->FillChannelList(current, m_channels, m_nSelection, false);
    combo->ResetContent();
    for (const CString& c : m_channels) combo->AddString(c);
    combo->SetCurSel(m_nSelection);
}

bool CKelvoPageWlanP2PSettingChannelDlg::OnBtnNext()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_WIZPSK_CIPHER));
    const int selection = combo ? combo->GetCurSel() : -1;
    if (selection < 0 || selection >= static_cast<int>(m_channels.size())) {
        ShowProductMessageBox(kChannelError);
        return false;
    }
    m_nSelection = selection;
    CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
    if (page) {
        page->m_nChannelIndex = selection;
        page->m_strChannel = m_channels[selection];
    }
    if (!CKelvoPageWlanP2PDlg::IsRequestPending()) {
        // The user's own connection: a refused one says why instead of showing an empty progress.
        if (page) page->ConnectSelectedPeer(this);
        return true;
    }
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageTab) {
        main->m_pPageTab->PushPageHistory(this);
        main->ShowWiFiDirectPage(main->m_pPageP2PLinkStatus);
    }
    ::SetP2PRequestAnswer(P2P_REQUEST_GO_ON);
    return true;
}

void CKelvoPageWlanP2PSettingChannelDlg::OnBtnExit()
{
    if (CKelvoPageWlanP2PDlg::IsRequestPending()) ::SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    FinishToFirstPage(false);
}
