// The client-certificate child page of the 802.1X page: the user's personal certificates,
// the chosen one's texts, the use-certificate switch and (with the system's EAP host) whether
// the certificate is on this computer or on a smart card.
#pragma once
#include "station/CertificateList.h"
#include "station/Dot1XChildPage.h"
#include "ui/ComboBoxSuper.h"
#include "res/StationPagesResource.h"

class CPageClientCertificationDlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_CLIENT_CERT };
    enum { kCertOnComputer = 0, kCertOnSmartCard = 1 };

    explicit CPageClientCertificationDlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}

    // Enumerates the "MY" store again and refills the combo; the first row is chosen.
    void FillCertificateList();
    // The combo and the caption and value labels (and the source pair with the EAP host);
    // disabling also empties the combo.
    void EnableControls(BOOL bEnable);
    // Whether certificates apply to the method (inner method given as EAP type).
    void UpdateForEapMethod(int method, ULONG innerEapType);
    // Chooses the enumerated certificate whose blob is that one; false when none matches.
    bool SelectByBlob(const BYTE* blob, ULONG length);
    void OnUseClientCert();
    void OnSelectionChange();
    const CCertificateList& Certificates() const { return m_certs; }
    CComboBoxSuper& Combo() { return m_combo; }
    void FillControls() { UpdateData(FALSE); }

    int bUseClientCert = 0;
    CString strIssuedTo;
    CString strIssuedBy;
    CString strExpiration;
    CString strFriendlyName;
    qxwl::CERT_INFO certChosen = {};
    int nCertSource = kCertOnComputer;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ChooseShownTexts();
    CCertificateList m_certs;
    CComboBoxSuper m_combo;
};
