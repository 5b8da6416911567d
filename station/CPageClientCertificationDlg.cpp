#include "station/CPageClientCertificationDlg.h"
#include "base/StationLibraryView.h"
#include "station/Dot1XButtons.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

#include <cstring>

namespace {
constexpr int kColumnWidths[] = {100, 150, 80, 70};
constexpr int kColumns = 4;
const int kValueLabels[] = {IDC_CLICERT_ISSUEDTO, IDC_CLICERT_ISSUEDBY, IDC_CLICERT_EXPIRES, IDC_CLICERT_FRIENDLY};
const int kCaptionLabels[] = {IDC_CLICERT_ISSUEDTO_LABEL, IDC_CLICERT_ISSUEDBY_LABEL, IDC_CLICERT_EXPIRES_LABEL,
                              IDC_CLICERT_FRIENDLY_LABEL};
const int kSourceControls[] = {IDC_CLICERT_MACHINE, IDC_CLICERT_MACHINE_LABEL, IDC_CLICERT_SMARTCARD,
                               IDC_CLICERT_SMARTCARD_LABEL};
bool EapHostGeneration() { return QXWLAPI.WinOS() >= kVistaOsCode; }
}  // namespace

BEGIN_MESSAGE_MAP(CPageClientCertificationDlg, CDot1XChildPage)
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_CLICERT_USE, OnUseClientCert)
    ON_CBN_SELCHANGE(IDC_CLICERT_LIST, OnSelectionChange)
END_MESSAGE_MAP()

void CPageClientCertificationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDot1XChildPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLICERT_LIST, m_combo);
    DDX_Control(pDX, IDC_CLICERT_USE, m_btnUse);
    DDX_Control(pDX, IDC_CLICERT_MACHINE, m_btnMachine);
    DDX_Control(pDX, IDC_CLICERT_SMARTCARD, m_btnSmartCard);
    DDX_Check(pDX, IDC_CLICERT_USE, bUseClientCert);
    DDX_Text(pDX, IDC_CLICERT_ISSUEDTO, strIssuedTo);
    DDX_Text(pDX, IDC_CLICERT_ISSUEDBY, strIssuedBy);
    DDX_Text(pDX, IDC_CLICERT_EXPIRES, strExpiration);
    DDX_Text(pDX, IDC_CLICERT_FRIENDLY, strFriendlyName);
    DDX_Radio(pDX, IDC_CLICERT_MACHINE, nCertSource);
}

BOOL CPageClientCertificationDlg::OnInitDialog()
{
    CDot1XChildPage::OnInitDialog();
    const struct {
        int id;
        CString CLanguageTable::*text;
    } texts[] = {
        {IDC_CLICERT_USE_LABEL, &CLanguageTable::IDS_CLIENTCER},
        {IDC_CLICERT_ISSUEDTO_LABEL, &CLanguageTable::IDS_ISSUETO},
        {IDC_CLICERT_ISSUEDBY_LABEL, &CLanguageTable::IDS_ISSUEBY},
        {IDC_CLICERT_EXPIRES_LABEL, &CLanguageTable::IDS_EXPIREON},
        {IDC_CLICERT_FRIENDLY_LABEL, &CLanguageTable::IDS_FRIENDLYNAME},
        {IDC_CLICERT_MACHINE_LABEL, &CLanguageTable::IDS_CERT_DLG_USE_CERT_ON_MACHINE},
        {IDC_CLICERT_SMARTCARD_LABEL, &CLanguageTable::IDS_CERT_DLG_USE_CERT_ON_SMART_CARD},
    };
    for (const auto& t : texts) {
        SetDlgItemText(t.id, G_LangTable.*t.text);
        GetDlgItem(t.id)->SetFont(&m_font);
    }
    StyleCheckButton(m_btnUse, false);
    StyleCheckButton(m_btnMachine, true);
    StyleCheckButton(m_btnSmartCard, true);
    m_combo.SetColumnCount(kColumns);
    for (int column = 0; column < kColumns; ++column) m_combo.SetColumnWidth(column, kColumnWidths[column]);
    const bool eapHost = EapHostGeneration();
    ShowItem(IDC_CLICERT_USE, !eapHost);
    ShowItem(IDC_CLICERT_USE_LABEL, !eapHost);
    for (int id : kSourceControls) ShowItem(id, eapHost);
    UpdateData(FALSE);
    return TRUE;
}

void CPageClientCertificationDlg::OnDestroy()
{
    m_certs.Release();
    Default();
}

void CPageClientCertificationDlg::FillCertificateList()
{
    m_certs.Enumerate(kCertStoreUser);
    // A kept certificate that the store holds again is one of its rows.
    if (m_kept.BlobLength && m_certs.FindByBlob(m_kept.BlobData, m_kept.BlobLength) >= 0) {
        if (ChoiceIsKeptOnly()) certChosen = {};
        m_kept = {};
    }
    m_combo.ResetContent();
    for (int i = 0; i < m_certs.Count(); ++i) {
        const qxwl::CERT_INFO& cert = m_certs.At(i);
        const int row = m_combo.AddString(CertText(cert.szIssuedTo));
        m_combo.SetItemText(row, 1, CertText(cert.szIssuedBy));
        m_combo.SetItemText(row, 2, CertText(cert.szExpiration));
        m_combo.SetItemText(row, 3, CertText(cert.szFriendlyName));
    }
    if (m_kept.BlobLength) AddKeptRow();
    if (m_certs.Count() > 0) {
        m_combo.SetCurSel(0);
        strIssuedTo = m_combo.GetItemText(0, 0);
        strIssuedBy = m_combo.GetItemText(0, 1);
        strExpiration = m_combo.GetItemText(0, 2);
        strFriendlyName = m_combo.GetItemText(0, 3);
        ChooseShownTexts();
    } else if (ChoiceIsKeptOnly()) {
        m_combo.SetCurSel(KeptRow());
    } else {
        // Nothing to choose: no texts of an earlier certificate stay beside the empty list.
        ClearShown();
    }
    UpdateData(FALSE);
}

void CPageClientCertificationDlg::ClearChoice()
{
    m_kept = {};
    ClearShown();
}

void CPageClientCertificationDlg::ClearShown()
{
    certChosen = {};
    strIssuedTo.Empty();
    strIssuedBy.Empty();
    strExpiration.Empty();
    strFriendlyName.Empty();
    if (m_combo.m_hWnd) m_combo.SetCurSel(-1);
}

void CPageClientCertificationDlg::ChooseShownTexts()
{
    certChosen = {};
    const int found = m_certs.FindByTexts(strIssuedTo, strIssuedBy, strExpiration, strFriendlyName);
    if (found >= 0) certChosen = m_certs.At(found);
}

int CPageClientCertificationDlg::KeptRow() const
{
    // The kept certificate's row follows the enumerated ones.
    return m_kept.BlobLength && m_combo.m_hWnd && m_combo.GetCount() > m_certs.Count() ? m_certs.Count() : -1;
}

void CPageClientCertificationDlg::AddKeptRow()
{
    if (KeptRow() >= 0) return;
    m_combo.AddString(G_LangTable.IDS_CERT_NOT_IN_STORE);
}

void CPageClientCertificationDlg::ChooseKept()
{
    certChosen = EntryOfStoredBlob(m_kept);
    strIssuedTo = G_LangTable.IDS_CERT_NOT_IN_STORE;
    strIssuedBy.Empty();
    strExpiration.Empty();
    strFriendlyName.Empty();
}

void CPageClientCertificationDlg::SelectStoredCertificate(const VN_BLOB_KEY& blob)
{
    const ULONG length = StoredBlobLength(blob);
    if (length == 0) {
        m_kept = {};
        if (m_combo.m_hWnd && m_combo.GetCurSel() < 0) ClearShown();
        UpdateData(FALSE);
        return;
    }
    if (SelectByBlob(blob.BlobData, length)) {
        m_kept = {};
        return;
    }
    // Not in the store (a card not inserted, a certificate removed): it stays the choice.
    m_kept = blob;
    m_kept.BlobLength = length;
    if (m_combo.m_hWnd && m_combo.IsWindowEnabled()) {
        AddKeptRow();
        m_combo.SetCurSel(KeptRow());
    }
    ChooseKept();
    UpdateData(FALSE);
}

void CPageClientCertificationDlg::EnableControls(BOOL bEnable)
{
    EnableItem(IDC_CLICERT_LIST, bEnable != 0);
    for (int id : kCaptionLabels) EnableItem(id, bEnable != 0);
    for (int id : kValueLabels) EnableItem(id, bEnable != 0);
    if (!bEnable) m_combo.ResetContent();
    if (EapHostGeneration())
        for (int id : kSourceControls) EnableItem(id, bEnable != 0);
}

void CPageClientCertificationDlg::UpdateForEapMethod(int method, ULONG innerEapType)
{
    const bool apply = EapHostGeneration() ? method == EAPMETHOD_TLS || (method == EAPMETHOD_PEAP && innerEapType == TUNNEL_TLS)
                                           : bUseClientCert == 1;
    if (apply) {
        FillCertificateList();
        EnableControls(TRUE);
    } else {
        EnableControls(FALSE);
    }
    UpdateData(FALSE);
}

bool CPageClientCertificationDlg::SelectByBlob(const BYTE* blob, ULONG length)
{
    const int found = m_certs.FindByBlob(blob, length);
    if (found < 0) return false;
    const qxwl::CERT_INFO& cert = m_certs.At(found);
    // Rows follow the enumeration while the list holds it.
    if (m_combo.GetCount() > found && m_combo.GetItemText(found, 0) == CertText(cert.szIssuedTo)) m_combo.SetCurSel(found);
    strIssuedTo = CertText(cert.szIssuedTo);
    strIssuedBy = CertText(cert.szIssuedBy);
    strExpiration = CertText(cert.szExpiration);
    strFriendlyName = CertText(cert.szFriendlyName);
    // The stored certificate itself, even when an earlier one has the same texts.
    certChosen = cert;
    UpdateData(FALSE);
    return true;
}

void CPageClientCertificationDlg::OnUseClientCert()
{
    UpdateData(TRUE);
    if (bUseClientCert) {
        FillCertificateList();
        EnableControls(TRUE);
    } else {
        EnableControls(FALSE);
    }
}

void CPageClientCertificationDlg::OnSelectionChange()
{
    UpdateData(TRUE);
    const int row = m_combo.GetCurSel();
    if (row < 0) return;
    if (row == KeptRow()) {
        ChooseKept();
        UpdateData(FALSE);
        return;
    }
    strIssuedTo = m_combo.GetItemText(row, 0);
    strIssuedBy = m_combo.GetItemText(row, 1);
    strExpiration = m_combo.GetItemText(row, 2);
    strFriendlyName = m_combo.GetItemText(row, 3);
    ChooseShownTexts();
    UpdateData(FALSE);
}
