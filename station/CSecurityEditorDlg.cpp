#include "station/CSecurityEditorDlg.h"

void CSecurityEditorDlg::CopyEapSettings(StringRecord7& out, CString& strClientCert, CString& strServerCert) const
{
    out = m_Eap;
    strClientCert = m_strClientCert;
    strServerCert = m_strServerCert;
}
