#include "ui/CSmartEdit.h"
#include "ui/CLinkSlider.h"

IMPLEMENT_DYNAMIC(CSmartEdit, CEdit)

namespace {
constexpr WORD kDigitClasses = 0x55;
constexpr WORD kExponentClasses = 0x46;  // "E" or "e": a letter, a float character, a hex digit
constexpr WORD kHexLetterClasses = 0x42;
constexpr WORD kMinusClasses = 0x14;
constexpr WORD kPointClasses = 0x04;
constexpr WORD kUnderscoreClasses = 0x28;
constexpr UINT kFirstPrintable = 32;
}

CSmartEdit::CSmartEdit() : m_pInfoWnd(new CInfoWnd(kInfoColor)) {}

CSmartEdit::~CSmartEdit()
{
    if (m_pSlider && m_pSlider->GetEdit() == this) m_pSlider->SetEdit(nullptr);
    delete m_pInfoWnd;
}

BEGIN_MESSAGE_MAP(CSmartEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

void CSmartEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    if (!m_pInfoWnd->m_hWnd) m_pInfoWnd->Create(GetParent());
}

WORD CSmartEdit::CharClasses(UINT ch)
{
    if (ch < kFirstPrintable) return kEverything;
    if (ch >= '0' && ch <= '9') return kDigitClasses;
    if (ch == 'E' || ch == 'e') return kExponentClasses;
    if ((ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f')) return kHexLetterClasses;
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) return kLetters;
    if (ch == '-') return kMinusClasses;
    if (ch == '.') return kPointClasses;
    if (ch == '_') return kUnderscoreClasses;
    return kOtherChars;
}

void CSmartEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (m_wParseType & CharClasses(nChar)) Default();
    else OnBadInput();
}

void CSmartEdit::OnBadInput()
{
    ::MessageBeep(static_cast<UINT>(-1));
}

BOOL CSmartEdit::SetRange(int min, int max, int lineStep, int pageStep)
{
    m_nMin = min;
    m_nMax = max;
    if (m_pSlider) {
        m_pSlider->SetEdit(this);
        m_pSlider->SetRange(min, max, TRUE);
        m_pSlider->SetLineSize(lineStep);
        m_pSlider->SetPageSize(pageStep);
    }
    m_wParseType = min < 0 ? (kDigits | kSignedInt) : kDigits;
    return TRUE;
}

BOOL CSmartEdit::AttachSlider(CWnd* pParent, int sliderId)
{
    if (!pParent) return FALSE;
    m_pSlider = dynamic_cast<CLinkSlider*>(CWnd::FromHandlePermanent(::GetDlgItem(pParent->m_hWnd, sliderId)));
    if (!m_pSlider) return FALSE;
    m_pSlider->SetEdit(this);
    return TRUE;
}

BOOL CSmartEdit::SetValue(int value)
{
    if (value < m_nMin || value > m_nMax) return FALSE;
    CString text;
    text.Format("%d", value);
    SetWindowText(text);
    return TRUE;
}

void CSmartEdit::OnSliderPos(int pos)
{
    // Compared with the text shown, not the last position written: the user may have typed over
    // it since, and the page then moves the slider to the typed number.
    CString text, shown;
    text.Format("%d", pos);
    GetWindowText(shown);
    if (shown != text) SetWindowText(text);
}
