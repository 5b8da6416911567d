#include "skin/SkinnedPageLook.h"
#include "base/LanguageTable.h"
#include "core/QxUI2008App.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr COLORREF kTitleBandColor = RGB(40, 100, 170);
constexpr int kTitleBandMargin = 3;
constexpr LONG kTitleHeight = 12, kLabelHeight = 11, kBold = 800;

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

HBRUSH TitleBandBrush()
{
    static HBRUSH band = ::CreateSolidBrush(kTitleBandColor);  // kept for the process
    return band;
}

void CSkinnedPageLook::CreateFonts()
{
    if (!m_titleFont.m_hObject) MakeFont(m_titleFont, "Arial", kTitleHeight);
    if (!m_labelFont.m_hObject) MakeFont(m_labelFont, "Tahoma", kLabelHeight);
}

void CSkinnedPageLook::Apply(CDialog& page, UINT titleId, std::initializer_list<UINT> labelIds)
{
    AddTitle(page, titleId);
    for (UINT id : labelIds) AddLabel(page, id);
}

void CSkinnedPageLook::AddTitle(CDialog& page, UINT id)
{
    CreateFonts();
    m_titleIds.push_back(id);
    if (CWnd* title = page.GetDlgItem(id)) title->SetFont(&m_titleFont);
}

void CSkinnedPageLook::AddLabel(CDialog& page, UINT id)
{
    CreateFonts();
    if (CWnd* label = page.GetDlgItem(id)) label->SetFont(&m_labelFont);
}

void CSkinnedPageLook::SkinButton(CDialog& page, UINT id, ButtonBitmaps bitmaps)
{
    if (!page.GetDlgItem(id)) return;
    auto button = std::make_unique<CFloatButton>();
    if (!button->SubclassDlgItem(id, &page)) return;
    if (!button->LoadBitmaps(bitmaps.hover, bitmaps.normal, G_hKelvoImg, CFloatButton::kModeFocusPressed))
        button->SetCaptionMode(TRUE);
    m_buttons.push_back(std::move(button));
}

HBRUSH CSkinnedPageLook::CtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, HBRUSH brush) const
{
    if (nCtlColor != CTLCOLOR_STATIC || !pWnd || !pDC) return brush;
    const UINT id = static_cast<UINT>(pWnd->GetDlgCtrlID());
    if (std::find(m_titleIds.begin(), m_titleIds.end(), id) != m_titleIds.end()) {
        pDC->SetTextColor(kTitleColor);
        pDC->SetBkMode(TRANSPARENT);
        return TitleBandBrush();
    }
    pDC->SetTextColor(kLabelColor);
    return brush;
}

void FillTitleBand(CWnd& page, CWnd* title, HDC dc)
{
    if (!dc || !title || !(title->GetStyle() & WS_VISIBLE)) return;
    CRect band, client;
    title->GetWindowRect(&band);
    page.ScreenToClient(&band);
    page.GetClientRect(&client);
    band.left = client.left;
    band.right = client.right;
    band.top = std::max(client.top, band.top - kTitleBandMargin);
    band.bottom += kTitleBandMargin;
    ::FillRect(dc, &band, TitleBandBrush());
}

void CSkinnedPageLook::EraseTitleBand(CDialog& page, CDC* pDC) const
{
    if (!pDC) return;
    for (UINT id : m_titleIds) FillTitleBand(page, page.GetDlgItem(id), pDC->m_hDC);
}
