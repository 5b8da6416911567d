#include "wifidirect/WiFiDirectPageSkin.h"
#include "base/DebugLog.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoWizardPage.h"
#include "ui/LogFont.h"

#include <algorithm>

namespace {
constexpr LONG kBold = 800, kLight = 300;

bool Has(const std::vector<UINT>& ids, UINT id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The part of the bitmap that is not the colour of its top-left corner.
HRGN OutlineRegion(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF outside = ::GetPixel(dc, 0, 0);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth;) {
            while (x < info.bmWidth && ::GetPixel(dc, x, y) == outside) ++x;
            const int start = x;
            while (x < info.bmWidth && ::GetPixel(dc, x, y) != outside) ++x;
            if (x > start) {
                HRGN run = ::CreateRectRgn(start, y, x, y + 1);
                ::CombineRgn(region, region, run, RGN_OR);
                ::DeleteObject(run);
            }
        }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return region;
}
}  // namespace

void CWiFiDirectPageSkin::SetFont(CWnd& page, UINT id, const LOGFONTA& lf)
{
    if (CWnd* item = page.GetDlgItem(static_cast<int>(id)))
        item->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(SharedFont(lf)), FALSE);
}

void CWiFiDirectPageSkin::Titles(std::initializer_list<UINT> ids)
{
    const LOGFONTA lf = MakeLogFont("Arial", -12, kBold);
    for (UINT id : ids) {
        SetFont(m_page, id, lf);
        m_titles.push_back(id);
    }
}

void CWiFiDirectPageSkin::Labels(std::initializer_list<UINT> ids, LPCSTR face, LONG height)
{
    const LOGFONTA lf = MakeLogFont(face, -height, kBold);
    for (UINT id : ids) {
        SetFont(m_page, id, lf);
        m_labels.push_back(id);
    }
}

void CWiFiDirectPageSkin::Values(std::initializer_list<UINT> ids, COLORREF back)
{
    const LOGFONTA lf = MakeLogFont("Tahoma", -11, kLight);
    m_valueBack = back;
    if (!m_valueBrush.m_hObject) m_valueBrush.CreateSolidBrush(back);
    for (UINT id : ids) {
        SetFont(m_page, id, lf);
        m_values.push_back(id);
    }
}

bool CWiFiDirectPageSkin::SkinButton(CFloatButton& button, CWnd& page, UINT id, UINT normal, UINT hover, bool shaped)
{
    if (!page.GetDlgItem(static_cast<int>(id))) return false;
    if (!button.m_hWnd) button.SubclassDlgItem(id, &page);
    if (!G_hKelvoImg || !button.LoadBitmaps(hover, normal, G_hKelvoImg, CFloatButton::kModeFocusPressed)) {
        DebugLog(1, "[QxUI] The Wi-Fi Direct button %u keeps its caption: bitmaps %u/%u are missing\n", id, normal, hover);
        return false;
    }
    if (shaped) {
        HBITMAP face = ::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(normal));
        if (HRGN region = OutlineRegion(face)) ::SetWindowRgn(button.m_hWnd, region, TRUE);  // the window owns it
        if (face) ::DeleteObject(face);
    }
    return true;
}

HBRUSH CWiFiDirectPageSkin::CtlColor(CDC* pDC, CWnd* pWnd, HBRUSH brush)
{
    if (!pDC || !pWnd) return brush;
    const UINT id = static_cast<UINT>(pWnd->GetDlgCtrlID());
    if (Has(m_titles, id)) {
        pDC->SetTextColor(kTitleColor);
        pDC->SetBkMode(TRANSPARENT);
        return TitleBandBrush();
    }
    if (Has(m_values, id)) {
        pDC->SetTextColor(kLabelColor);
        pDC->SetBkColor(m_valueBack);
        return static_cast<HBRUSH>(m_valueBrush.m_hObject);
    }
    if (Has(m_labels, id)) pDC->SetTextColor(kLabelColor);
    return brush;
}

BEGIN_MESSAGE_MAP(CWiFiDirectSkinnedPage, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HBRUSH CWiFiDirectSkinnedPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT)
{
    return m_skin.CtlColor(pDC, pWnd, reinterpret_cast<HBRUSH>(Default()));
}

BOOL CWiFiDirectSkinnedPage::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    m_skin.PaintBands(pDC);
    return erased;
}

void CWiFiDirectPageSkin::PaintBands(CDC* pDC)
{
    if (!pDC) return;
    for (UINT id : m_titles) FillTitleBand(m_page, m_page.GetDlgItem(static_cast<int>(id)), pDC->m_hDC);
}
