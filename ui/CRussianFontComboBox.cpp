#include "ui/CRussianFontComboBox.h"
#include "base/LanguageTable.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CRussianFontComboBox, CComboBoxSuper)

namespace {
constexpr char kWidthPad[] = "0";  // the drop-down is this much wider than its widest text
}

BEGIN_MESSAGE_MAP(CRussianFontComboBox, CComboBoxSuper)
    ON_CONTROL_REFLECT(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

void CRussianFontComboBox::PreSubclassWindow()
{
    if (G_LangTable.IsRussian()) {
        LOGFONTA lf{};
        if (CFont* pFont = GetFont(); pFont && pFont->GetLogFont(&lf)) {
            lf.lfCharSet = static_cast<BYTE>(G_LangTable.m_nCharSet);
            if (m_font.CreateFontIndirect(&lf)) SetFont(&m_font);
        }
    }
    CComboBoxSuper::PreSubclassWindow();
}

int CRussianFontComboBox::DroppedWidth()
{
    CClientDC dc(this);
    HGDIOBJ old = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    int widest = 0;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        CString text;
        GetLBText(i, text);
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(text).cx));
    }
    const int width = widest + ::GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent(kWidthPad).cx;
    if (old) dc.SelectObject(old);
    return width;
}

void CRussianFontComboBox::OnDropDown()
{
    SetDroppedWidth(static_cast<UINT>(DroppedWidth()));
}
