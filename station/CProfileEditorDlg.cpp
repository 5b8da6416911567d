#include "station/CProfileEditorDlg.h"
#include "base/DebugLog.h"

CProfileEditorDlg::~CProfileEditorDlg()
{
    FreeProfileBuffer();
}

BOOL CProfileEditorDlg::LoadProfile(const CString& strProfileName)
{
    DebugLog(1, "[QxUI] CProfileEditorDlg::LoadProfile(%s) is not built yet\n", strProfileName.GetString());
    return FALSE;
}

void CProfileEditorDlg::FreeProfileBuffer()
{
    delete[] m_pProfileBuffer;
    m_pProfileBuffer = nullptr;
}

void CProfileEditorDlg::OnOK()
{
    // Nothing is stored, and the editor stays as it is.
    DebugLog(1, "[QxUI] CProfileEditorDlg::OnOK is not built yet\n");
}
