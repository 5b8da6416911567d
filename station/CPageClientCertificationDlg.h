// The client-certificate child page of the 802.1X page: the user's personal certificates,
// the chosen one's texts, the use-certificate switch and (with the system's EAP host) whether
// the certificate is on this computer or on a smart card.
#pragma once
#include "station/CertificateList.h"
#include "station/Dot1XChildPage.h"
#include "ui/ButtonST.h"
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
    // A profile's certificate: chosen by its blob; one the store does not hold (a card not
    // inserted) stays the choice under a row of its own rather than giving way to another.
    // No blob leaves the first row where the list is offered, else nothing chosen.
    void SelectStoredCertificate(const VN_BLOB_KEY& blob);
    // No certificate chosen and no texts shown (the reset of a new profile).
    void ClearChoice();
    // The chosen certificate's blob (empty when none).
    VN_BLOB_KEY ChosenBlob() const { return CertBlobOf(certChosen); }
    // The choice is a stored certificate that the store does not hold (its texts are unknown).
    bool ChoiceIsKeptOnly() const { return m_kept.BlobLength != 0 && certChosen.pBlob == m_kept.BlobData; }
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
    void ChooseKept();
    void ClearShown();
    int KeptRow() const;
    void AddKeptRow();
    CCertificateList m_certs;
    CComboBoxSuper m_combo;
    VN_BLOB_KEY m_kept = {};  // a stored certificate the store does not hold
    CButtonST m_btnUse;
    CButtonST m_btnMachine;
    CButtonST m_btnSmartCard;
};
