// Dialog data exchange between controls and members. A failed check shows its message,
// moves the focus to the control and marks the exchange failed (UpdateData answers FALSE).
#pragma once
#include <windows.h>
#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate, UINT nOnlyID = 0)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate), m_nOnlyID(nOnlyID) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    UINT m_nOnlyID;
    BOOL m_bFail = FALSE;
    UINT m_idLastControl = 0;

    // The control's window when this exchange covers it (and nothing has failed), else null.
    HWND PrepareCtrl(int nIDC);
    void Fail(LPCSTR message = nullptr);
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// value is the index of the checked button in the group that starts at nIDC (-1 for none).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// DDV_MaxChars's refusal, for a page that checks a text outside the data exchange.
CString MaxCharsRefusal(int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
