#include "skin/KelvoWizardPage.h"
#include "base/LanguageTable.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SecurityWizard.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr COLORREF kTitleColor = RGB(255, 255, 255);
constexpr COLORREF kLabelColor = RGB(79, 79, 79);
// The white title sits on a band in the skin's blue: on the light page alone it cannot be read.
constexpr COLORREF kTitleBandColor = RGB(40, 100, 170);
constexpr int kTitleBandMargin = 3;

constexpr LONG kTitleHeight = 12, kLabelHeight = 11, kBold = 800;
constexpr UINT kBackNormal = 1017, kBackHover = 1016, kNextNormal = 1035, kNextHover = 1034;
constexpr UINT kExitNormal = 1031, kExitHover = 1030;
constexpr UINT kSaveNormal = 1039, kSaveHover = 1038;

void MakeFont(CFont& font, LPCSTR face, LONG height)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = kBold;
    lf.lfCharSet = static_cast<BYTE>(G_LangTable.m_nCharSet);
    strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
    font.CreateFontIndirect(&lf);
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoWizardPage, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_BN_CLICKED(IDC_WIZARD_BACK, OnBackClicked)
    ON_BN_CLICKED(IDC_WIZARD_NEXT, OnNextClicked)
    ON_BN_CLICKED(IDC_WIZARD_EXIT, OnExitClicked)
END_MESSAGE_MAP()

HBRUSH TitleBandBrush()
{
    static HBRUSH band = ::CreateSolidBrush(kTitleBandColor);  // kept for the process
    return band;
}

CString SelectedText(const CComboBox& combo)
{
    CString text;
    const int sel = combo.m_hWnd ? combo.GetCurSel() : CB_ERR;
    if (sel != CB_ERR) combo.GetLBText(sel, text);
    return text;
}

BOOL CKelvoWizardPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    MakeFont(m_titleFont, "Arial", kTitleHeight);
    MakeFont(m_labelFont, "Tahoma", kLabelHeight);
    if (CWnd* title = GetDlgItem(IDC_WIZARD_TITLE)) {
        title->SetFont(&m_titleFont);
        title->SetWindowText(G_LangTable.IDS_LAB_SECSET_PAGE);
    }
    struct Skin {
        CFloatButton& button;
        UINT id, normal, hover;
    } skins[] = {{m_btnBack, IDC_WIZARD_BACK, kBackNormal, kBackHover},
                 {m_btnNext, IDC_WIZARD_NEXT, SavesOnNext() ? kSaveNormal : kNextNormal,
                  SavesOnNext() ? kSaveHover : kNextHover},
                 {m_btnExit, IDC_WIZARD_EXIT, kExitNormal, kExitHover}};
    for (Skin& s : skins) {
        if (!GetDlgItem(s.id)) continue;
        s.button.SubclassDlgItem(s.id, this);
        // Without the skin library the buttons keep their captions.
        if (!s.button.LoadBitmaps(s.hover, s.normal, G_hKelvoImg, CFloatButton::kModeFocusPressed))
            s.button.SetCaptionMode(TRUE);
    }
    SetUpPage();
    return TRUE;
}

void CKelvoWizardPage::SetText(UINT id, const CString& text)
{
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

void CKelvoWizardPage::SetLabels(std::initializer_list<UINT> ids)
{
    for (UINT id : ids)
        if (CWnd* item = GetDlgItem(id)) item->SetFont(&m_labelFont);
}

void CKelvoWizardPage::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (bShow) OnShowPage();
}

HBRUSH CKelvoWizardPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (nCtlColor != CTLCOLOR_STATIC || !pWnd) return brush;
    if (pWnd->GetDlgCtrlID() == IDC_WIZARD_TITLE) {
        pDC->SetTextColor(kTitleColor);
        pDC->SetBkMode(TRANSPARENT);
        return TitleBandBrush();
    }
    pDC->SetTextColor(kLabelColor);
    return brush;
}

BOOL CKelvoWizardPage::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    CWnd* title = GetDlgItem(IDC_WIZARD_TITLE);
    if (!pDC || !title || !title->IsWindowVisible()) return erased;
    CRect band, client;
    title->GetWindowRect(&band);
    ScreenToClient(&band);
    GetClientRect(&client);
    band.left = client.left;
    band.right = client.right;
    band.top = std::max(client.top, band.top - kTitleBandMargin);
    band.bottom += kTitleBandMargin;
    ::FillRect(pDC->m_hDC, &band, TitleBandBrush());
    return TRUE;
}

void CKelvoWizardPage::TakeRoadFlags()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageSecurityTypeDlg) {
        bUseProfileEditor = main->m_pPageSecurityTypeDlg->bUseProfileEditor;
        bAdhoc = main->m_pPageSecurityTypeDlg->bAdhoc;
    }
}

void CKelvoWizardPage::OnBack()
{
    WizardBack(*this);
}

void CKelvoWizardPage::OnExit()
{
    WizardExit(*this);
}
