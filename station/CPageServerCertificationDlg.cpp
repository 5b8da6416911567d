#include "station/CPageServerCertificationDlg.h"
#include "station/CPage8021XDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

namespace {
constexpr LONG kVistaOsCode = 10;
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
    m_combo.ResetContent();
    m_combo.AddString(kAnyTrustedCa);
    for (int i = 0; i < m_certs.Count(); ++i) m_combo.AddString(m_certs.At(i).szIssuedTo);
    m_combo.SetCurSel(0);
    OnSelectionChange();
}

void CPageServerCertificationDlg::OnSelectionChange()
{
    UpdateData(TRUE);
    const int row = m_combo.GetCurSel();
    certChosen = {};
    if (row > 0) {
        // Row 0 is "- Any Trusted CA -", which names no authority.
        const int found = m_certs.FindByTexts(m_combo.GetItemText(row, 0), nullptr, nullptr, nullptr);
        if (found >= 0) certChosen = m_certs.At(found);
    }
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
