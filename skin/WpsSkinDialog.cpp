#include "skin/WpsSkinDialog.h"
#include "core/QxUI2008App.h"
#include "ui/DpiLayout.h"
#include "ui/StretchBitmap.h"

BEGIN_MESSAGE_MAP(CWpsSkinDialog, CDialog)
    ON_BN_CLICKED(IDC_WPSPBC_START, OnStartClicked)
    ON_BN_CLICKED(IDC_WPSPBC_CLOSE, OnCloseClicked)
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CWpsSkinDialog::CWpsSkinDialog(UINT templateId, LPCSTR layoutFile, CWnd* pParent)
    : CDialog(templateId, pParent), m_layoutFile(layoutFile)
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
    ApplyDpiLayout(this, m_layoutFile);
    return TRUE;
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
