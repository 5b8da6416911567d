#include "station/CClassicDlg.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"

namespace {
constexpr int kEtchedEdgeHeight = 2;
// The shading of the classic dialogs' buttons.
constexpr UINT kButtonShade = CShadeButtonST::SHS_VGRADIENT;
constexpr BYTE kButtonGranularity = 8, kButtonHighlight = 10;
}

BEGIN_MESSAGE_MAP(CClassicDlg, CResizeDlg)
    ON_WM_PAINT()
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestDragMainWindow)
END_MESSAGE_MAP()

BOOL CClassicDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    InstallIgnoreOkCancel(this);
    G_LangTable.CreatePageFont(m_font);
    return TRUE;
}

CWnd* CClassicDlg::GetFrontWindow()
{
    return CWnd::GetSafeOwner(nullptr, nullptr);
}

LRESULT CClassicDlg::SendToFrontWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* front = GetFrontWindow();
    return front && front->IsWindow() ? front->SendMessage(message, wParam, lParam) : 0;
}

CWnd* CClassicDlg::TopLevelOwner() const
{
    CWnd* owner = GetTopLevelParent();
    return owner && owner->IsWindow() ? owner : nullptr;
}

LRESULT CClassicDlg::ReportToOwner(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CWnd* owner = TopLevelOwner();
    return owner ? owner->SendMessage(message, wParam, lParam) : 0;
}

void CClassicDlg::OnPaint()
{
    {
        CPaintDC dc(this);
        CRect rc;
        GetWindowRect(&rc);
        dc.Draw3dRect(0, 0, rc.Width(), kEtchedEdgeHeight, ::GetSysColor(COLOR_BTNSHADOW),
                      ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    Default();
}

LRESULT CClassicDlg::OnNcHitTestDragMainWindow(WPARAM, LPARAM)
{
    if (G_bHideTabIcon)
        return SendToFrontWindow(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return Default();
}

void CClassicDlg::SkinButton(CShadeButtonST& button, LPCSTR caption)
{
    button.SetWindowText(caption);
    button.SetFlat(FALSE);
    button.SetShade(kButtonShade, kButtonGranularity, kButtonHighlight, 0, 0, 0, 0);
    button.SetFont(&m_font, TRUE);
}
