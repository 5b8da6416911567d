#include "skin/KelvoPageUIDlg.h"
#include "core/LanguageTable.h"

namespace {
// One main window object at a time; the shared helpers find it here.
CKelvoPageUIDlg* g_pLive = nullptr;
}

BEGIN_MESSAGE_MAP(CKelvoPageUIDlg, CDialog)
    ON_WM_CLOSE()
    ON_MESSAGE(ACTION_INSERT_EXEC, OnActionInsertExec)
END_MESSAGE_MAP()

CKelvoPageUIDlg::CKelvoPageUIDlg(CWnd* pOwner) : CDialog(IDD, pOwner), m_pOwner(pOwner)
{
    g_pLive = this;
}

CKelvoPageUIDlg::~CKelvoPageUIDlg()
{
    if (g_pLive == this) g_pLive = nullptr;
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

void CKelvoPageUIDlg::ShowClassicDialog(int)
{
    // No classic dialog is created yet: nothing to show in place of the pages.
}

void CKelvoPageUIDlg::EnablePageControls(BOOL)
{
    // No page is registered yet: no control to enable or disable.
}

CWnd* CKelvoPageUIDlg::GetOpenChildDialog() const
{
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
