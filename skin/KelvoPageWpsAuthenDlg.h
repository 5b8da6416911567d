// The WPS authentication page: runs WPS and keeps its result for the credential dialog. Until
// its own behaviour is built it shows its template and holds no result.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"

class CKelvoPageWpsAuthenDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWpsAuthenDlg)
public:
    enum { IDD = IDD_KELVO_WPS_AUTHEN };
    CKelvoPageWpsAuthenDlg() : CDialog(IDD) {}

    // The result of the last run, as the credential dialog shows it.
    WPS_PROFILE m_WpsProfile = {};
    CString m_strSsid, m_strBssid, m_strAuth, m_strEncr;  // display texts of the first credential
    ULONG m_nKeyLength = 0;
    ULONG m_nKeyIndex = 0;
    CString m_strKeyText[2];  // the key in hexadecimal digits and as characters

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
