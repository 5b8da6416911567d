#include "station/CAddBlockAckDlg.h"
#include "station/BlockAckPeerList.h"
#include "station/BlockAckTids.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "skin/KelvoPageUIDlg.h"

namespace {
constexpr UCHAR kDirectionOriginator = 0, kDirectionRecipient = 1;
constexpr char kAddFailed[] = "The Block-Ack agreement could not be set up.";
}

BEGIN_MESSAGE_MAP(CAddBlockAckDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnConfirm)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BA_BSSID_LIST, m_list);
    DDX_Control(pDX, IDC_BA_TID_COMBO, m_comboTid);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnConfirm);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_BA_WINDOW_SIZE, m_editWindowSize);
    DDX_Text(pDX, IDC_BA_WINDOW_SIZE, m_nWindowSize);
}

BOOL CAddBlockAckDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetDlgItemText(IDC_BA_TID_LABEL, G_LangTable.IDS_ADD_BLOCKACK_TID);
    SetDlgItemText(IDC_BA_WINDOW_SIZE_LABEL, G_LangTable.IDS_ADD_BLOCKACK_WINDOW_SIZE);
    SetDlgItemText(IDC_BA_BSSID_LABEL, G_LangTable.IDS_ADD_BLOCKACK_AVAIL_BSSID);
    for (int id : {IDC_BA_TID_LABEL, IDC_BA_WINDOW_SIZE_LABEL, IDC_BA_BSSID_LABEL, IDC_BA_WINDOW_SIZE})
        GetDlgItem(id)->SetFont(&m_font);
    SkinButton(m_btnConfirm, G_LangTable.IDS_ADD_BLOCKACK_CONFIRM);
    SkinButton(m_btnCancel, G_LangTable.IDS_ADD_BLOCKACK_CANCEL);
    InsertBssidColumn(m_list);
    FillTidCombo(m_comboTid);
    return TRUE;
}

void CAddBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow)
        RefreshBssidList(m_list);
}

void CAddBlockAckDlg::OnConfirm()
{
    // A size that is not a number has had its message: the old size must not go out instead.
    if (!UpdateData(TRUE)) return;
    const int row = GetSelectedRow(m_list);
    if (m_list.GetItemCount() == 0 || row < 0) {
        ShowProductMessageBox(G_LangTable.IDS_ADD_BLOCKACK_BSSID_ERR_MSG);
        return;
    }
    if (m_nWindowSize < kMinWindowSize || m_nWindowSize > kMaxWindowSize) {
        ShowProductMessageBox(m_bOriginator == 1 ? G_LangTable.IDS_ADD_BLOCKACK_ORI_WM_SIZE_ERR_MSG
                                                 : G_LangTable.IDS_ADD_BLOCKACK_REC_WM_SIZE_ERR_MSG);
        return;
    }
    m_nTID = SelectedTid(m_comboTid);
    MacTextToBytes(m_PeerMac, m_list.GetItemText(row, 0));
    BA_REQUEST request = {};
    request.Direction = m_bOriginator == 1 ? kDirectionOriginator : kDirectionRecipient;
    memcpy(request.PeerMac, m_PeerMac, sizeof request.PeerMac);
    request.TID = static_cast<UCHAR>(m_nTID);
    request.WindowSize = static_cast<UCHAR>(m_nWindowSize);
    if (!IsSuccess(QXWLAPI.QXWL_AddIMMEBA(request), "QXWL_AddIMMEBA", "CAddBlockAckDlg::OnConfirm")) {
        ShowProductMessageBox(kAddFailed);
        return;
    }
    SendToFrontWindow(MSG_ADD_BA_DLG, 0, 0);
}

void CAddBlockAckDlg::OnBtnCancel()
{
    SendToFrontWindow(MSG_ADD_BA_DLG, 0, 0);
}
