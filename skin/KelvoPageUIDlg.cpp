#include "skin/KelvoPageUIDlg.h"
#include "base/LanguageTable.h"
#include "station/CAPDetailInfoDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CAuthenStatusDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CInvalidIDPW.h"
#include "station/CLinkStatusDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
// One main window object at a time; the shared helpers find it here.
CKelvoPageUIDlg* g_pLive = nullptr;
}

BEGIN_MESSAGE_MAP(CKelvoPageUIDlg, CDialog)
    ON_WM_CLOSE()
    ON_MESSAGE(ACTION_INSERT_EXEC, OnActionInsertExec)
    ON_MESSAGE(MSG_APDETAIL_DLG, OnApDetailDlg)
    ON_MESSAGE(MSG_ADD_BA_DLG, OnAddBaDlg)
    ON_MESSAGE(MSG_DELETE_BA_DLG, OnDeleteBaDlg)
    ON_MESSAGE(MSG_HIDDEN_SSID_DLG, OnHiddenSsidDlg)
    ON_MESSAGE(MSG_INVALID_IDPW_DLG, OnInvalidIdpwDlg)
    ON_MESSAGE(MSG_AUTHEN_STATUS_DLG, OnAuthenStatusDlg)
END_MESSAGE_MAP()

CKelvoPageUIDlg::CKelvoPageUIDlg(CWnd* pOwner) : CDialog(IDD, pOwner), m_pOwner(pOwner)
{
    g_pLive = this;
}

CKelvoPageUIDlg::~CKelvoPageUIDlg()
{
    if (g_pLive == this) g_pLive = nullptr;
    DestroyClassicDialogs();
    if (IsWindow()) DestroyWindow();
}

BOOL CKelvoPageUIDlg::Create()
{
    return CDialog::Create(IDD, m_pOwner);
}

BOOL CKelvoPageUIDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Other processes and the Wi-Fi Direct waiter find the window by this caption.
    SetWindowText(G_LangTable.IDS_QUIXEN_CONFIG_TITLE);
    CreateClassicDialogs();
    return TRUE;
}

void CKelvoPageUIDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KELVO_MORE_LESS, m_btnMoreLess);
}

CKelvoPageUIDlg* CKelvoPageUIDlg::GetLive()
{
    return g_pLive;
}

namespace {
// Classic dialog numbers of ShowClassicDialog and of the main window's requests.
enum { kClassicLinkStatus = 0, kClassicAddBlockAck = 2, kClassicDeleteBlockAck = 3, kClassicHiddenSsid = 5 };
constexpr WPARAM kRequestClosed = 0, kRequestShowFromPage = 3, kRequestShowHiddenSsid = 2, kRequestShowRelogin = 8;
constexpr LPARAM kHiddenSsidConfirmed = 1;

template <typename Dialog>
Dialog* CreateClassic(CWnd* parent, const CRect& area)
{
    auto* dlg = new Dialog(parent);
    if (!dlg->Create(Dialog::IDD, parent)) {
        delete dlg;
        return nullptr;
    }
    dlg->SetWindowPos(static_cast<const CWnd*>(nullptr), 0, area.top, area.Width(), area.Height(),
                      SWP_NOZORDER | SWP_HIDEWINDOW);
    return dlg;
}

template <typename Dialog>
void DestroyClassic(Dialog*& dlg)
{
    if (dlg && dlg->IsWindow()) dlg->DestroyWindow();
    delete dlg;
    dlg = nullptr;
}

void Hide(CWnd* wnd)
{
    if (wnd && wnd->IsWindow()) wnd->ShowWindow(SW_HIDE);
}
}  // namespace

void CKelvoPageUIDlg::CreateClassicDialogs()
{
    CRect area;
    GetClientRect(&area);
    m_pLinkStatusDlg = CreateClassic<CLinkStatusDlg>(this, area);
    m_pAPDetailInfoDlg = CreateClassic<CAPDetailInfoDlg>(this, area);
    m_pAddBlockAckDlg = CreateClassic<CAddBlockAckDlg>(this, area);
    m_pDeleteBlockAckDlg = CreateClassic<CDeleteBlockAckDlg>(this, area);
    m_pHiddenSsidDlg = CreateClassic<CHiddenSsidDlg>(this, area);
    m_pAuthenStatusDlg = CreateClassic<CAuthenStatusDlg>(this, area);
    m_pInvalidIDPW = CreateClassic<CInvalidIDPW>(this, area);
}

void CKelvoPageUIDlg::DestroyClassicDialogs()
{
    DestroyClassic(m_pLinkStatusDlg);
    DestroyClassic(m_pAPDetailInfoDlg);
    DestroyClassic(m_pAddBlockAckDlg);
    DestroyClassic(m_pDeleteBlockAckDlg);
    DestroyClassic(m_pHiddenSsidDlg);
    DestroyClassic(m_pAuthenStatusDlg);
    DestroyClassic(m_pInvalidIDPW);
}

void CKelvoPageUIDlg::HideClassicDialogs()
{
    Hide(m_pLinkStatusDlg);
    Hide(m_pAPDetailInfoDlg);
    Hide(m_pAddBlockAckDlg);
    Hide(m_pDeleteBlockAckDlg);
    Hide(m_pHiddenSsidDlg);
    Hide(m_pAuthenStatusDlg);
    Hide(m_pInvalidIDPW);
}

void CKelvoPageUIDlg::ShowClassicDialog(int n)
{
    CWnd* dialogs[] = {m_pLinkStatusDlg, m_pAPDetailInfoDlg, m_pAddBlockAckDlg, m_pDeleteBlockAckDlg, nullptr, m_pHiddenSsidDlg};
    if (n < 0 || n >= static_cast<int>(std::size(dialogs)) || !dialogs[n]) return;
    HideClassicDialogs();
    dialogs[n]->ShowWindow(SW_SHOW);
}

LRESULT CKelvoPageUIDlg::OnApDetailDlg(WPARAM wParam, LPARAM)
{
    if (wParam == kRequestClosed) ShowClassicDialog(kClassicLinkStatus);
    return 0;
}

LRESULT CKelvoPageUIDlg::OnAddBaDlg(WPARAM wParam, LPARAM lParam)
{
    if (!m_pAddBlockAckDlg) return 0;
    if (wParam == kRequestShowFromPage) {
        m_pAddBlockAckDlg->m_bOriginator = lParam == 1 ? 1 : 0;
        ShowClassicDialog(kClassicAddBlockAck);
    } else if (wParam == kRequestClosed) {
        Hide(m_pAddBlockAckDlg);
    }
    return 0;
}

LRESULT CKelvoPageUIDlg::OnDeleteBaDlg(WPARAM wParam, LPARAM lParam)
{
    if (!m_pDeleteBlockAckDlg) return 0;
    if (wParam == kRequestShowFromPage) {
        m_pDeleteBlockAckDlg->SetVariant(lParam);
        ShowClassicDialog(kClassicDeleteBlockAck);
    } else if (wParam == kRequestClosed && lParam == 0) {
        Hide(m_pDeleteBlockAckDlg);
    }
    return 0;
}

LRESULT CKelvoPageUIDlg::OnHiddenSsidDlg(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kRequestShowHiddenSsid) {
        ShowClassicDialog(kClassicHiddenSsid);
    } else if (wParam == kRequestClosed) {
        if (lParam == kHiddenSsidConfirmed && m_pHiddenSsidDlg && m_pPageSiteSurveyDlg) {
            // The prompt's edit takes 32 characters; a longer text never reaches the record.
            const CString& name = m_pHiddenSsidDlg->m_strSSID;
            NDIS_802_11_SSID& pending = m_pPageSiteSurveyDlg->m_PendingSsid;
            pending = {};
            pending.SsidLength = std::min<ULONG>(static_cast<ULONG>(name.GetLength()), kSsidMaxLength);
            memcpy(pending.Ssid, name.GetString(), pending.SsidLength);
        }
        Hide(m_pHiddenSsidDlg);
    }
    return 0;
}

LRESULT CKelvoPageUIDlg::OnInvalidIdpwDlg(WPARAM wParam, LPARAM)
{
    if (!m_pInvalidIDPW) return 0;
    if (wParam == kRequestShowRelogin) {
        HideClassicDialogs();
        m_pInvalidIDPW->ShowWindow(SW_SHOW);
    } else if (wParam == kRequestClosed) {
        Hide(m_pInvalidIDPW);
    }
    return 0;
}

LRESULT CKelvoPageUIDlg::OnAuthenStatusDlg(WPARAM wParam, LPARAM)
{
    // OK of the status window, or a re-login that leaves the status window to its owner.
    if (wParam == 0) {
        Hide(m_pAuthenStatusDlg);
        Hide(m_pInvalidIDPW);
    } else if (wParam == CInvalidIDPW::kReloginWpaOrPlain) {
        // The re-login was confirmed and the connect is under way: the dialog has done its part.
        Hide(m_pInvalidIDPW);
    }
    return 0;
}

void CKelvoPageUIDlg::EnablePageControls(BOOL)
{
    // No page is registered yet: no control to enable or disable.
}

CWnd* CKelvoPageUIDlg::GetOpenChildDialog() const
{
    const int first = m_bSoftAPMode ? kChildDialogs - 1 : 0;
    for (int i = first; i < kChildDialogs; ++i) {
        CWnd* child = m_pChildDialog[i];
        if (child && child->IsWindow() && child->IsWindowVisible()) return child;
    }
    return nullptr;
}

void CKelvoPageUIDlg::ClosePages()
{
}

void CKelvoPageUIDlg::OnClose()
{
    // Closing only hides the window; the tray or a second start shows it again.
    ShowWindow(SW_HIDE);
}

LRESULT CKelvoPageUIDlg::OnActionInsertExec(WPARAM wParam, LPARAM lParam)
{
    if (m_pOwner && m_pOwner->IsWindow()) m_pOwner->SendMessage(ACTION_INSERT_EXEC, wParam, lParam);
    return 0;
}

HWND CKelvoPageUIDlg::AuthenStatusWindow() const
{
    if (m_hAuthenStatusWnd) return ::IsWindow(m_hAuthenStatusWnd) ? m_hAuthenStatusWnd : nullptr;
    return (m_pAuthenStatusDlg && m_pAuthenStatusDlg->IsWindow()) ? m_pAuthenStatusDlg->m_hWnd : nullptr;
}
