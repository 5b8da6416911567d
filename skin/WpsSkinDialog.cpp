#include "skin/WpsSkinDialog.h"
#include "core/QxUI2008App.h"
#include "skin/SkinnedPageLook.h"
#include "ui/DpiLayout.h"
#include "ui/LogFont.h"
#include "ui/StretchBitmap.h"

BEGIN_MESSAGE_MAP(CWpsSkinDialog, CDialog)
    ON_BN_CLICKED(IDC_WPSPBC_START, OnStartClicked)
    ON_BN_CLICKED(IDC_WPSPBC_CLOSE, OnCloseClicked)
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWpsSkinDialog::CWpsSkinDialog(UINT templateId, LPCSTR layoutFile, UINT titleId, CWnd* pParent)
    : CDialog(templateId, pParent), m_layoutFile(layoutFile), m_titleId(titleId)
{
}

CWpsSkinDialog::~CWpsSkinDialog()
{
    if (m_hBackground) ::DeleteObject(m_hBackground);
}

void CWpsSkinDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WPSPBC_START, m_btnStart);
    DDX_Control(pDX, IDC_WPSPBC_CLOSE, m_btnClose);
}

BOOL CWpsSkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnClose.LoadBitmaps(kCloseHoverId, kCloseNormalId, G_hKelvoImg, CFloatButton::kModeFocusPressed);
    m_btnStart.LoadBitmaps(kStartHoverId, kStartNormalId, G_hKelvoImg, CFloatButton::kModeFocusPressed);
    if (G_hKelvoImg)
        m_hBackground = static_cast<HBITMAP>(::LoadImageA(G_hKelvoImg, MAKEINTRESOURCEA(kBackgroundId), IMAGE_BITMAP, 0, 0, 0));
    const LOGFONTA title = MakeLogFont("Arial", 12, 800), text = MakeLogFont("Tahoma", 11, 400);
    m_titleFont.CreateFontIndirect(&title);
    m_textFont.CreateFontIndirect(&text);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (_stricmp(className, "Static") != 0 && _stricmp(className, "Button") != 0) continue;
        const bool isTitle = static_cast<UINT>(::GetDlgCtrlID(child)) == m_titleId;
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>((isTitle ? m_titleFont : m_textFont).m_hObject), FALSE);
    }
    ApplyDpiLayout(this, m_layoutFile);
    return TRUE;
}

HBRUSH CWpsSkinDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC || !pWnd || !m_hBackground) return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    // Texts and the check box over the skin's picture: no background of their own.
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(static_cast<UINT>(pWnd->GetDlgCtrlID()) == m_titleId ? CSkinnedPageLook::kTitleColor
                                                                            : CSkinnedPageLook::kLabelColor);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CWpsSkinDialog::OnStartClicked()
{
    if (OnStart()) EndDialog(kStarted);
}

void CWpsSkinDialog::OnCloseClicked()
{
    EndDialog(kClosed);
}

BOOL CWpsSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    if (m_hBackground) return TRUE;  // OnPaint covers the whole client area
    return CDialog::OnEraseBkgnd(pDC);
}

void CWpsSkinDialog::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect rc;
    GetClientRect(&rc);
    StretchBitmapOver(dc, m_hBackground, rc);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CWpsSkinDialog::OnNcHitTest(CPoint)
{
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}
