#include "station/CPageServerCertificationDlg.h"
#include "base/StationLibraryView.h"
#include "station/CPage8021XDlg.h"
#include "station/Dot1XButtons.h"
#include "station/ProfileCodes.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

namespace {
const int kDependentControls[] = {IDC_SRVCERT_INTERMEDIATE, IDC_SRVCERT_INTERMEDIATE_LABEL, IDC_SRVCERT_EXACT,
                                  IDC_SRVCERT_EXACT_LABEL,  IDC_SRVCERT_DOMAIN,             IDC_SRVCERT_DOMAIN_LABEL,
                                  IDC_SRVCERT_CA,           IDC_SRVCERT_NAME_LABEL,         IDC_SRVCERT_NAME};
}  // namespace

BEGIN_MESSAGE_MAP(CPageServerCertificationDlg, CDot1XChildPage)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_SRVCERT_USE, OnUseServerCert)
    ON_BN_CLICKED(IDC_SRVCERT_EXACT, OnNameRule)
    ON_BN_CLICKED(IDC_SRVCERT_DOMAIN, OnNameRule)
    ON_CBN_SELCHANGE(IDC_SRVCERT_CA, OnSelectionChange)
END_MESSAGE_MAP()

void CPageServerCertificationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDot1XChildPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SRVCERT_CA, m_combo);
    DDX_Control(pDX, IDC_SRVCERT_USE, m_btnUse);
    DDX_Control(pDX, IDC_SRVCERT_INTERMEDIATE, m_btnIntermediate);
    DDX_Control(pDX, IDC_SRVCERT_EXACT, m_btnExact);
    DDX_Control(pDX, IDC_SRVCERT_DOMAIN, m_btnDomain);
    DDX_Check(pDX, IDC_SRVCERT_USE, bUseServerCert);
    DDX_Check(pDX, IDC_SRVCERT_INTERMEDIATE, bAllowIntermediate);
    DDX_Radio(pDX, IDC_SRVCERT_EXACT, nServerNameRule);
    DDX_Text(pDX, IDC_SRVCERT_NAME, strServerName);
}

BOOL CPageServerCertificationDlg::OnInitDialog()
{
    CDot1XChildPage::OnInitDialog();
    const struct {
        int id;
        CString CLanguageTable::*text;
    } texts[] = {
        {IDC_SRVCERT_USE_LABEL, &CLanguageTable::IDS_CASERVER},
        {IDC_SRVCERT_INTERMEDIATE_LABEL, &CLanguageTable::IDS_ALLOWINTER},
        {IDC_SRVCERT_EXACT_LABEL, &CLanguageTable::IDS_SERVERMATCH},
        {IDC_SRVCERT_DOMAIN_LABEL, &CLanguageTable::IDS_DONAIMEND},
        {IDC_SRVCERT_NAME_LABEL, &CLanguageTable::IDS_SERVERNAMEBE},
    };
    for (const auto& t : texts) {
        SetDlgItemText(t.id, G_LangTable.*t.text);
        GetDlgItem(t.id)->SetFont(&m_font);
    }
    // One text per authority, across the whole box.
    CRect box;
    m_combo.GetClientRect(&box);
    m_combo.SetColumnCount(1);
    m_combo.SetColumnWidth(0, box.Width());
    StyleCheckButton(m_btnUse, false);
    StyleCheckButton(m_btnIntermediate, false);
    StyleCheckButton(m_btnExact, true);
    StyleCheckButton(m_btnDomain, true);
    // The record keeps the server name with its terminator.
    SendDlgItemMessage(IDC_SRVCERT_NAME, EM_LIMITTEXT, kServerNameMaxChars, 0);
    // With the system's EAP host only the switch, the authority and the server name remain;
    // the other values are still kept and exchanged.
    if (QXWLAPI.WinOS() >= kVistaOsCode)
        for (int id : {IDC_SRVCERT_INTERMEDIATE, IDC_SRVCERT_INTERMEDIATE_LABEL, IDC_SRVCERT_EXACT, IDC_SRVCERT_EXACT_LABEL,
                       IDC_SRVCERT_DOMAIN, IDC_SRVCERT_DOMAIN_LABEL})
            ShowItem(id, false);
    UpdateData(FALSE);
    return TRUE;
}

void CPageServerCertificationDlg::OnDestroy()
{
    m_certs.Release();
    Default();
}

void CPageServerCertificationDlg::EnableControls()
{
    if (bUseServerCert == 1) {
        UpdateData(FALSE);
        FillCaList();
    }
    for (int id : kDependentControls) EnableItem(id, bUseServerCert == 1);
    UpdateData(FALSE);
}

void CPageServerCertificationDlg::FillCaList()
{
    m_certs.Enumerate(kCertStoreRoot);
    if (m_kept.BlobLength && m_certs.FindByBlob(m_kept.BlobData, m_kept.BlobLength) >= 0) m_kept = {};
    m_combo.ResetContent();
    m_combo.AddString(kAnyTrustedCa);
    for (int i = 0; i < m_certs.Count(); ++i) m_combo.AddString(CertText(m_certs.At(i).szIssuedTo));
    if (m_kept.BlobLength) m_combo.AddString(G_LangTable.IDS_CERT_NOT_IN_STORE);
    m_combo.SetCurSel(0);
    OnSelectionChange();
}

int CPageServerCertificationDlg::KeptRow() const
{
    // After "- Any Trusted CA -" and the enumerated authorities.
    return m_kept.BlobLength && m_combo.m_hWnd && m_combo.GetCount() > m_certs.Count() + 1 ? m_certs.Count() + 1 : -1;
}

void CPageServerCertificationDlg::ClearChoice()
{
    m_kept = {};
    certChosen = {};
    if (m_combo.m_hWnd && m_combo.GetCount() > 0) m_combo.SetCurSel(0);
}

void CPageServerCertificationDlg::OnSelectionChange()
{
    UpdateData(TRUE);
    const int row = m_combo.GetCurSel();
    certChosen = {};
    // Row 0 is "- Any Trusted CA -", which names no authority; the others follow the
    // enumeration, so of two authorities with one name the chosen row's is taken.
    if (row > 0 && row <= m_certs.Count()) certChosen = m_certs.At(row - 1);
    else if (row > 0 && row == KeptRow()) certChosen = EntryOfStoredBlob(m_kept);
    UpdateData(FALSE);
}

bool CPageServerCertificationDlg::SelectByBlob(const BYTE* blob, ULONG length)
{
    const int found = m_certs.FindByBlob(blob, length);
    if (found < 0) return false;
    m_combo.SetCurSel(found + 1);
    certChosen = m_certs.At(found);
    return true;
}

void CPageServerCertificationDlg::SelectStoredAuthority(const VN_BLOB_KEY& blob)
{
    const ULONG length = StoredBlobLength(blob);
    if (length == 0 || SelectByBlob(blob.BlobData, length)) {
        m_kept = {};
        return;
    }
    m_kept = blob;
    m_kept.BlobLength = length;
    if (m_combo.m_hWnd && m_combo.GetCount() > 0) {
        if (KeptRow() < 0) m_combo.AddString(G_LangTable.IDS_CERT_NOT_IN_STORE);
        m_combo.SetCurSel(KeptRow());
    }
    certChosen = EntryOfStoredBlob(m_kept);
}

void CPageServerCertificationDlg::OnUseServerCert()
{
    UpdateData(TRUE);
    EnableControls();
}

void CPageServerCertificationDlg::OnNameRule()
{
    UpdateData(TRUE);
    if (m_pOwner) m_pOwner->ClickTab(CPage8021XDlg::kTabServerCert);
}
