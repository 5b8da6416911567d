#include "framework/CDataExchange.h"
#include <commctrl.h>
#include "framework/CWnd.h"
#include "framework/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    if (m_bFail) return nullptr;
    if (m_nOnlyID && static_cast<UINT>(nIDC) != m_nOnlyID) return nullptr;
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (h) m_idLastControl = nIDC;
    return h;
}

void CDataExchange::Fail(LPCSTR message)
{
    if (message) AfxMessageBox(message, MB_ICONEXCLAMATION);
    if (m_idLastControl) {
        HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        ::SetFocus(h);
        ::SendMessageA(h, EM_SETSEL, 0, -1);
    }
    m_bFail = TRUE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd) return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (h) rControl.SubclassWindow(h);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(h)->GetWindowText(value);
    } else {
        ::SetWindowTextA(h, value);
    }
}

namespace {
bool ParseLong(HWND h, long& out, bool allowSign)
{
    char buf[64];
    ::GetWindowTextA(h, buf, sizeof buf);
    char* p = buf;
    while (*p == ' ' || *p == '\t') ++p;
    if (!allowSign && *p == '-') return false;
    char* end = nullptr;
    errno = 0;
    long v = strtol(p, &end, 10);
    if (end == p || errno == ERANGE) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return false;
    out = v;
    return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool allowSign, LPCSTR fmt)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate) {
        long v = 0;
        if (!ParseLong(h, v, allowSign)) {
            pDX->Fail(allowSign ? "Please enter an integer." : "Please enter a positive integer.");
            return;
        }
        value = static_cast<T>(v);
    } else {
        char buf[32];
        wsprintfA(buf, fmt, value);
        ::SetWindowTextA(h, buf);
    }
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeInteger(pDX, nIDC, value, true, "%d"); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeInteger(pDX, nIDC, value, false, "%u"); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeInteger(pDX, nIDC, value, true, "%ld"); }
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { ExchangeInteger(pDX, nIDC, value, false, "%lu"); }

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate) {
        char buf[64];
        ::GetWindowTextA(h, buf, sizeof buf);
        char* end = nullptr;
        double v = strtod(buf, &end);
        if (end == buf) { pDX->Fail("Please enter a number."); return; }
        value = v;
    } else {
        char buf[64];
        snprintf(buf, sizeof buf, "%.15g", value);
        ::SetWindowTextA(h, buf);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(h, BM_SETCHECK, value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    // The group runs from nIDC to the next control with WS_GROUP.
    do {
        if (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                ::SendMessageA(h, BM_SETCHECK, index == value, 0);
            }
            ++index;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    } while (h && !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, CB_SETCURSEL, index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate) {
        CWnd::FromHandle(h)->GetWindowText(value);
    } else if (::SendMessageA(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        ::SetWindowTextA(h, value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, LB_SETCURSEL, index, 0);
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!h) return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(h, TBM_SETPOS, TRUE, value);
}

CString MaxCharsRefusal(int nChars)
{
    CString text;
    text.Format("Enter no more than %d characters.", nChars);
    return text;
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bFail || !pDX->m_idLastControl) return;
    if (pDX->m_nOnlyID && pDX->m_nOnlyID != pDX->m_idLastControl) return;
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) pDX->Fail(MaxCharsRefusal(nChars));
    } else {
        ::SendMessageA(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl), EM_LIMITTEXT, nChars, 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFail || !pDX->m_bSaveAndValidate || !pDX->m_idLastControl) return;
    if (pDX->m_nOnlyID && pDX->m_nOnlyID != pDX->m_idLastControl) return;
    if (value < minVal || value > maxVal) {
        char msg[96];
        wsprintfA(msg, "Enter an integer between %d and %d.", minVal, maxVal);
        pDX->Fail(msg);
    }
}
