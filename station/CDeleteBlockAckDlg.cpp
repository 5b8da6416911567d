#include "station/CDeleteBlockAckDlg.h"
#include "station/BlockAckPeerList.h"
#include "station/BlockAckTids.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "skin/KelvoPageUIDlg.h"

namespace {
constexpr UCHAR kDirectionOriginator = 0, kDirectionRecipient = 1;
constexpr char kDeleteFailed[] = "The Block-Ack agreement could not be torn down.";

struct Variant {
    LPARAM number;
    ULONG originator, allTids, tidChoice;
};
constexpr Variant kVariants[] = {
    {1, 1, 0, 1},  // originator, selected TID
    {2, 1, 1, 0},  // originator, all TIDs
    {3, 0, 0, 1},  // recipient, selected TID
    {4, 0, 1, 0},  // recipient, all TIDs
};
}  // namespace

BEGIN_MESSAGE_MAP(CDeleteBlockAckDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnConfirm)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

void CDeleteBlockAckDlg::SetVariant(LPARAM variant)
{
    for (const Variant& v : kVariants)
        if (v.number == variant) {
            m_bOriginator = v.originator;
            m_bAllTids = v.allTids;
            m_bTidChoice = v.tidChoice;
        }
}

void CDeleteBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BA_BSSID_LIST, m_list);
    DDX_Control(pDX, IDC_BA_TID_COMBO, m_comboTid);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnConfirm);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
}

BOOL CDeleteBlockAckDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetDlgItemText(IDC_BA_TID_LABEL, G_LangTable.IDS_ADD_BLOCKACK_TID);
    SetDlgItemText(IDC_BA_BSSID_LABEL, G_LangTable.IDS_ADD_BLOCKACK_AVAIL_BSSID);
    for (int id : {IDC_BA_TID_LABEL, IDC_BA_BSSID_LABEL})
        GetDlgItem(id)->SetFont(&m_font);
    SkinButton(m_btnConfirm, G_LangTable.IDS_ADD_BLOCKACK_CONFIRM);
    SkinButton(m_btnCancel, G_LangTable.IDS_ADD_BLOCKACK_CANCEL);
    m_list.DeleteAllItems();
    InsertBssidColumn(m_list);
    FillTidCombo(m_comboTid);
    return TRUE;
}

void CDeleteBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (!bShow)
        return;
    RefreshBssidList(m_list);
    const int show = m_bTidChoice == 1 ? SW_SHOW : SW_HIDE;
    m_comboTid.ShowWindow(show);
    GetDlgItem(IDC_BA_TID_LABEL)->ShowWindow(show);
}

void CDeleteBlockAckDlg::OnConfirm()
{
    UpdateData(TRUE);
    const int row = GetSelectedRow(m_list);
    if (m_list.GetItemCount() == 0 || row < 0) {
        ShowProductMessageBox(G_LangTable.IDS_ADD_BLOCKACK_BSSID_ERR_MSG);
        return;
    }
    MacTextToBytes(m_PeerMac, m_list.GetItemText(row, 0));
    m_nTID = SelectedTid(m_comboTid);  // also in the all-TIDs variants: the last selection
    BA_REQUEST request = {};
    request.Direction = m_bOriginator == 0 ? kDirectionRecipient : kDirectionOriginator;
    memcpy(request.PeerMac, m_PeerMac, sizeof request.PeerMac);
    request.TID = static_cast<UCHAR>(m_nTID);
    request.AllTids = static_cast<UCHAR>(m_bAllTids);
    const ULONG oid = QXWLAPI.WinOS() >= kVistaOsCode ? OID_BA_DELETE_VISTA : OID_BA_DELETE_XP;
    const LONG status = QXWLAPI.QXWL_OIDSetInfo(oid, reinterpret_cast<const BYTE*>(&request), sizeof request);
    if (!IsSuccess(status, "QXWL_OIDSetInfo", "CDeleteBlockAckDlg::OnConfirm")) {
        ShowProductMessageBox(kDeleteFailed);
        return;
    }
    SendToFrontWindow(MSG_DELETE_BA_DLG, 0, 0);
}

void CDeleteBlockAckDlg::OnBtnCancel()
{
    SendToFrontWindow(MSG_DELETE_BA_DLG, 0, 0);
}
