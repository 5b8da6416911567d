#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"

IMPLEMENT_DYNCREATE(CKelvoPageP2PLinkStatus, CDialog)

namespace {
constexpr int kConnected = 3;

CAdvancedWiFiDirect* Engine()
{
    return G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
}

CString Or(const CString& text, LPCSTR fallback)
{
    return text.IsEmpty() ? CString(fallback) : text;
}

CKelvoPageP2PConnectMethod* MethodPage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageP2PConnectMethod : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageP2PLinkStatus, CWiFiDirectSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_P2PLS_EXIT, OnExit)
END_MESSAGE_MAP()

CKelvoPageP2PLinkStatus::~CKelvoPageP2PLinkStatus()
{
    // The progress display must not report into a page that is gone.
    CAdvancedWiFiDirect* engine = Engine();
    if (engine && engine->m_pProgressMsg && engine->m_pProgressMsg->m_pView == this) engine->m_pProgressMsg->SetCallback(nullptr);
}

void CKelvoPageP2PLinkStatus::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_P2PLS_PROGRESS, m_bar);
}

BOOL CKelvoPageP2PLinkStatus::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!G_LangTable.IDS_WIFI_DIRECT_MSG_PWP_GROUP_OWNER_FUNCTION.IsEmpty())
        SetDlgItemText(IDC_P2PLS_MESSAGE, G_LangTable.IDS_WIFI_DIRECT_MSG_PWP_GROUP_OWNER_FUNCTION);
    m_skin.Labels({IDC_P2PLS_TEXT, IDC_P2PLS_MESSAGE}, "Arial", 11);
    if (!m_bar.LoadBitmaps(kBarBitmap, kBarBackground, G_hKelvoImg))
        DebugLog(1, "[QxUI] CKelvoPageP2PLinkStatus: progress bitmaps %u/%u are missing\n", kBarBitmap, kBarBackground);
    CWiFiDirectPageSkin::SkinButton(m_btnExit, *this, IDC_P2PLS_EXIT, kExitNormal, kExitHover);
    SetBar(0);
    return TRUE;
}

void CKelvoPageP2PLinkStatus::SetBar(int percent)
{
    if (m_bar.m_hWnd) m_bar.SetPercent(percent, 1);
}

void CKelvoPageP2PLinkStatus::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) return;
    m_nPercent = 0;
    SetBar(0);
    SetDlgItemText(IDC_P2PLS_TEXT, "");
    CKelvoPageP2PConnectMethod* method = MethodPage();
    if (method && method->m_bIncoming == 0) m_nShowPin = method->m_nShowPin;
}

void CKelvoPageP2PLinkStatus::OnTimer(UINT_PTR nIDEvent)
{
    CAdvancedWiFiDirect* engine = Engine();
    if (engine && engine->m_pProgressMsg && engine->m_pProgressMsg->OnTimer(nIDEvent) != -1) return;
    CDialog::OnTimer(nIDEvent);
}

CString CKelvoPageP2PLinkStatus::StatusText() const
{
    CString text;
    if (m_hWnd) GetDlgItemText(IDC_P2PLS_TEXT, text);
    return text;
}

void CKelvoPageP2PLinkStatus::OnProgress(int percent)
{
    m_nPercent = percent;
    if (!m_hWnd) return;
    SetBar(percent);
    const CString connecting = Or(G_LangTable.IDS_WIFI_DIRECT_CONNECTING, "Connecting");
    const CString wait = Or(G_LangTable.IDS_WIFI_DIRECT_PLEASE_WAIT, ", please wait");
    const CString pin = AttemptPin();
    CString text;
    if (!pin.IsEmpty()) {
        text.Format("%s%s %d%%,PIN: %s", connecting.GetString(), wait.GetString(), percent, pin.GetString());
    } else {
        text.Format("%s%s PBC: %d%%", connecting.GetString(), wait.GetString(), percent);
    }
    if (percent >= 100) {
        // Judged on this attempt: the driver's success word for it and a fresh look at the link,
        // never the state an earlier connection left behind.
        CAdvancedWiFiDirect* engine = Engine();
        bool success = false;
        if (engine && engine->m_pProgressMsg && engine->m_pProgressMsg->m_bSuccess) {
            engine->TimerCheckConnectStatusTimer();
            success = engine->m_ConnectStatus == kConnected;
        }
        text = success ? Or(G_LangTable.IDS_WIFI_DIRECT_SUCCESSFUL, "Connected successfully")
                       : Or(G_LangTable.IDS_WIFI_DIRECT_TRY_AGAIN, "The connection failed; please try again");
    }
    SetDlgItemText(IDC_P2PLS_TEXT, text);
}

CString CKelvoPageP2PLinkStatus::AttemptPin() const
{
    const CKelvoPageP2PConnectMethod* method = MethodPage();
    if (!method || method->m_nMethod == 0) return CString();
    // This device's PIN for both roads (a request's page shows the same one), else the PIN typed.
    if (method->m_nMethod == 1) return PinText(method->m_nShowPin);
    return method->m_strEnterPin.IsEmpty() ? PinText(method->m_nEnterPin) : method->m_strEnterPin;
}

void CKelvoPageP2PLinkStatus::ShowFailure()
{
    if (!m_hWnd) return;
    m_nPercent = 100;
    SetBar(100);
    SetDlgItemText(IDC_P2PLS_TEXT, Or(G_LangTable.IDS_WIFI_DIRECT_TRY_AGAIN, "The connection failed; please try again"));
}

void CKelvoPageP2PLinkStatus::OnExit()
{
    ShowWindow(SW_HIDE);
    ReturnToFirstWiFiDirectPage();
    CAdvancedWiFiDirect* engine = Engine();
    if (!engine) return;
    if (engine->m_pSetting) engine->m_pSetting->CancelAndHide();
    if (engine->m_pProgressMsg) engine->m_pProgressMsg->Hide();
}
