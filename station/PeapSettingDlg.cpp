#include "station/PeapSettingDlg.h"

namespace {
constexpr UINT MSG_PEAP_ANSWER = WM_APP + 20;  // W: IDOK or IDCANCEL
constexpr DWORD kPeapWindowStyle = WS_CHILD;
}  // namespace

BEGIN_MESSAGE_MAP(CPeapSettingDlg, CWnd)
    ON_MESSAGE(MSG_PEAP_ANSWER, OnAnswer)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CPeapSettingDlg::Create(CWnd* pParent)
{
    return CreateEx(0, "STATIC", "", kPeapWindowStyle, CRect(0, 0, 0, 0), pParent, 0);
}

int CPeapSettingDlg::RunModalLoop(DWORD)
{
    if (!IsWindow()) return IDCANCEL;
    if (m_nEarlyAnswer) {
        const int early = m_nEarlyAnswer;
        m_nEarlyAnswer = 0;
        return early;
    }
    m_nModalResult = IDCANCEL;
    m_bInLoop = true;
    const int result = CWnd::RunModalLoop();
    m_bInLoop = false;
    return result == IDOK ? IDOK : IDCANCEL;
}

void CPeapSettingDlg::PostConfirm(const CString& identity, const CString& password)
{
    m_strPendingIdentity = identity;
    m_strPendingPassword = password;
    PostMessage(MSG_PEAP_ANSWER, IDOK);
}

void CPeapSettingDlg::PostCancel()
{
    PostMessage(MSG_PEAP_ANSWER, IDCANCEL);
}

LRESULT CPeapSettingDlg::OnAnswer(WPARAM wParam, LPARAM)
{
    if (wParam == IDOK) {
        m_strIdentity = m_strPendingIdentity;
        m_strPassword = m_strPendingPassword;
    }
    const int result = wParam == IDOK ? IDOK : IDCANCEL;
    if (m_bInLoop) EndModalLoop(result);
    else m_nEarlyAnswer = result;
    return 0;
}

void CPeapSettingDlg::OnDestroy()
{
    if (m_bInLoop) EndModalLoop(IDCANCEL);
    CWnd::OnDestroy();
}
