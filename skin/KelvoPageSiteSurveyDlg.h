// The site-survey page of the main window: the network list, and the connection being prepared
// from it. What the hidden main dialog and the main window use of it is here; the list, the
// scan and the connect come with the page's own work.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "station/ProfileCodes.h"

#include <vector>

// The security settings copied from the security editor into the pending connection.
struct SURVEY_EDITOR_COPY {
    static constexpr int kWepKeys = 4;
    int nAuthIndex = 0;
    int nEncryIndex = 0;
    int nDefaultKey = 0;
    int b8021X = 0;
    StringRecord7 Eap;
    CString strClientCert;  // the two 150-character texts of the 802.1X record
    CString strServerCert;
    CString strCertificate[2];  // the editor's two certificate texts
    int nWepKeyIndex = 0;
    int nWepKeyLength = 0;
    int nWepKeyFormat = 0;
    int nWepDefaultKey = 0;
    CString strWepKey[kWepKeys];
    CString strPassPhrase;
    int nPassPhraseFormat = 0;
};

class CKelvoPageSiteSurveyDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSiteSurveyDlg)
public:
    enum { IDD = IDD_KELVO_SITE_SURVEY };
    static constexpr UINT kConnectButtonId = IDC_SURVEY_CONNECT;
    CKelvoPageSiteSurveyDlg() : CDialog(IDD) {}

    // Refreshes the visible network list from the station library.
    void RefreshSurveyList();
    // Starts a survey, as the "Rescan" button and the main window's tab do.
    void StartSurveyScan();
    // Asks the owner for the security editor (MSG_SECURITY_EDITOR_DLG W 2, L 0).
    void FillSecurityEditor();
    // Builds the profile record of the pending connection and hands it to the hidden dialog.
    void ConnectSelected();
    // Clears the settings copied from the security editor.
    void ResetEditorCopy();
    // The chosen scan record, or null while none is chosen.
    const NDIS_WLAN_BSSID_EX* ChosenEntry() const;

    // A BM_CLICK sent to it starts a survey as a user's click does.
    CButton m_btnRescan;

    int m_bScanDone = 0;  // the scan-finished flag: 0 while a scan runs

    // The pending connection.
    std::vector<BYTE> m_ChosenRecord;  // a copy of the chosen NDIS_WLAN_BSSID_EX
    int m_nPendingAuth = 0;
    int m_nNetworkMode = 1;
    int m_bHidden = 0;
    int m_bSecured = 0;
    CString m_strCipherText;
    // The name of the network being connected to; for a network that does not broadcast its
    // name, the main window copies in what the user typed into the hidden-network prompt.
    NDIS_802_11_SSID m_PendingSsid = {};
    SURVEY_EDITOR_COPY m_EditorCopy;

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC:
    // the action type and its record (the WLANPROFILE built by the page's connect).
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()
};
