// The security editor: a hidden classic dialog of the main window that gathers a network's
// security settings for the site-survey page. What the main window reads of it is here; the
// editor and its pages come later (until then its page pointers stay null).
#pragma once
#include "station/CClassicDlg.h"
#include "station/ProfileCodes.h"
#include "res/StationPagesResource.h"

class CPageAuthEncryDlg;
class CPage8021XDlg;

class CSecurityEditorDlg : public CClassicDlg {
public:
    enum { IDD = IDD_SECURITY_EDITOR };
    explicit CSecurityEditorDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // Copies its 802.1X settings record and the record's two long texts.
    void CopyEapSettings(StringRecord7& out, CString& strClientCert, CString& strServerCert) const;

    CPageAuthEncryDlg* m_pPageAuthEncry = nullptr;
    CPage8021XDlg* m_pPage8021X = nullptr;

    // The four settings words of its OK.
    int m_nAuthIndex = 0;
    int m_nEncryIndex = 0;
    int m_nDefaultKey = 0;  // key index plus 1
    int m_b8021X = 0;

    StringRecord7 m_Eap;
    CString m_strClientCert;  // at most 150 characters
    CString m_strServerCert;  // at most 150 characters
    CString m_strCertificate[2];  // the two WAPI certificate texts
    int m_bAuthPageLoaded = 0;
};
