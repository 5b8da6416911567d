// The server-certificate child page of the 802.1X page: whether the server's certificate is
// checked, the root authority it must chain to, the server name and its rule, intermediate
// certificates.
#pragma once
#include "station/CertificateList.h"
#include "station/Dot1XChildPage.h"
#include "ui/ButtonST.h"
#include "ui/ComboBoxSuper.h"
#include "res/StationPagesResource.h"

class CPageServerCertificationDlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_SERVER_CERT };
    enum { kNameExact = 0, kNameDomainEnd = 1 };
    static constexpr char kAnyTrustedCa[] = "- Any Trusted CA -";

    explicit CPageServerCertificationDlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}

    // Fills or greys the controls after the members were set.
    void EnableControls();
    // Enumerates the "ROOT" store again; the first row ("- Any Trusted CA -") is chosen.
    void FillCaList();
    bool SelectByBlob(const BYTE* blob, ULONG length);
    // A profile's authority: chosen by its blob; one the store does not hold stays the choice
    // under a row of its own rather than falling back to any trusted authority.
    void SelectStoredAuthority(const VN_BLOB_KEY& blob);
    // Any trusted authority, and no kept one (the reset of a new profile).
    void ClearChoice();
    void OnUseServerCert();
    void OnSelectionChange();
    void OnNameRule();
    const CCertificateList& Certificates() const { return m_certs; }
    CComboBoxSuper& Combo() { return m_combo; }
    void FillControls() { UpdateData(FALSE); }

    int bUseServerCert = 0;
    int bAllowIntermediate = 0;
    int nServerNameRule = kNameExact;
    CString strServerName;
    qxwl::CERT_INFO certChosen = {};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    int KeptRow() const;
    CCertificateList m_certs;
    CComboBoxSuper m_combo;
    VN_BLOB_KEY m_kept = {};  // a stored authority the store does not hold
    CButtonST m_btnUse;
    CButtonST m_btnIntermediate;
    CButtonST m_btnExact;
    CButtonST m_btnDomain;
};
