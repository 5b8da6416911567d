#include "skin/KelvoPageSecuritySetOKDlg.h"
#include "base/LanguageTable.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageSecuritySetOKDlg, CDialog)

namespace {
constexpr UINT kNowNormal = 1013, kNowHover = 1012, kLaterNormal = 1011, kLaterHover = 1010;
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageSecuritySetOKDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_WIZDONE_NOW, OnActivateNow)
    ON_BN_CLICKED(IDC_WIZDONE_LATER, OnActivateLater)
END_MESSAGE_MAP()

BOOL CKelvoPageSecuritySetOKDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LOGFONTA lf{};
    lf.lfHeight = 12;
    lf.lfWeight = 800;
    lf.lfCharSet = static_cast<BYTE>(G_LangTable.m_nCharSet);
    strcpy(lf.lfFaceName, "Tahoma");
    m_font.CreateFontIndirect(&lf);
    if (CWnd* text = GetDlgItem(IDC_WIZDONE_TEXT)) {
        text->SetFont(&m_font);
        text->SetWindowText(G_LangTable.IDS_LAB_CONFIG_OK);
    }
    struct {
        CFloatButton& button;
        UINT id, normal, hover;
    } skins[] = {{m_btnNow, IDC_WIZDONE_NOW, kNowNormal, kNowHover}, {m_btnLater, IDC_WIZDONE_LATER, kLaterNormal, kLaterHover}};
    for (auto& s : skins) {
        if (!GetDlgItem(s.id)) continue;
        s.button.SubclassDlgItem(s.id, this);
        if (!s.button.LoadBitmaps(s.hover, s.normal, G_hKelvoImg, CFloatButton::kModeFocusPressed))
            s.button.SetCaptionMode(TRUE);
    }
    return TRUE;
}

BOOL CKelvoPageSecuritySetOKDlg::OnEraseBkgnd(CDC* pDC)
{
    HBITMAP picture = G_hKelvoImg ? ::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kBackgroundId)) : nullptr;
    if (!picture) return static_cast<BOOL>(Default());
    CRect rc;
    GetClientRect(&rc);
    HDC memory = ::CreateCompatibleDC(pDC->m_hDC);
    HGDIOBJ old = ::SelectObject(memory, picture);
    BITMAP info{};
    ::GetObjectA(picture, sizeof info, &info);
    ::SetStretchBltMode(pDC->m_hDC, COLORONCOLOR);
    ::StretchBlt(pDC->m_hDC, 0, 0, rc.Width(), rc.Height(), memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(picture);
    return TRUE;
}

HBRUSH CKelvoPageSecuritySetOKDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (nCtlColor == CTLCOLOR_STATIC && pWnd && pWnd->GetDlgCtrlID() == IDC_WIZDONE_TEXT) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(CSkinnedPageLook::kLabelColor);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return brush;
}

void CKelvoPageSecuritySetOKDlg::OnActivateNow()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main) return;
    if (main->m_pPageProfileDlg && main->m_pPageProfileCtrlDlg) {
        main->m_pPageProfileDlg->ReloadProfileList();
        main->m_pPageProfileDlg->ConnectProfileByName(main->m_pPageProfileCtrlDlg->ProfileNameText());
    }
    main->ShowLinkInfoTab();
}

void CKelvoPageSecuritySetOKDlg::OnActivateLater()
{
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) main->ShowProfileTab();
}
