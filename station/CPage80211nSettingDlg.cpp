#include "station/CPage80211nSettingDlg.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>

namespace {
constexpr WPARAM kShowDialog = 3;
// lParam of the delete request: the variant the main window gives the delete dialog.
constexpr LPARAM kAddAsOriginator = 1, kAddAsRecipient = 0;
constexpr LPARAM kDeleteOriginatorTid = 1, kDeleteOriginatorAll = 2, kDeleteRecipientTid = 3, kDeleteRecipientAll = 4;

constexpr int kModeControls[] = {IDC_11N_AGG_MANUAL, IDC_11N_AGG_AUTO, IDC_11N_MPDU_DENSITY};
constexpr int kBlockAckButtons[] = {IDC_11N_ORI_ADD, IDC_11N_ORI_DEL, IDC_11N_ORI_DEL_ALL,
                                    IDC_11N_REC_ADD, IDC_11N_REC_DEL, IDC_11N_REC_DEL_ALL};
constexpr int kAckPolicyBoxes[] = {IDC_11N_ACK_BE, IDC_11N_ACK_BK, IDC_11N_ACK_VI, IDC_11N_ACK_VO};
}  // namespace

BA_TID_ROW::BA_TID_ROW(const UCHAR* peerMac, UCHAR tid, USHORT value1, USHORT value2, USHORT word, ULONG tidSet)
    : TID(tid), Value1(value1), Value2(value2), Word(word), bTidSet(tidSet)
{
    memcpy(PeerMac, peerMac, sizeof PeerMac);
}

BEGIN_MESSAGE_MAP(CPage80211nSettingDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_11N_AMSDU, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_MPDU_AGGREGATION, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_AGG_MANUAL, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_AGG_AUTO, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_ORI_ADD, OnAddOriginator)
    ON_BN_CLICKED(IDC_11N_REC_ADD, OnAddRecipient)
    ON_BN_CLICKED(IDC_11N_ORI_DEL, OnDeleteOriginator)
    ON_BN_CLICKED(IDC_11N_ORI_DEL_ALL, OnDeleteOriginatorAll)
    ON_BN_CLICKED(IDC_11N_REC_DEL, OnDeleteRecipient)
    ON_BN_CLICKED(IDC_11N_REC_DEL_ALL, OnDeleteRecipientAll)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_11N_ACK_BE, IDC_11N_ACK_VO, OnAckPolicyRange)
END_MESSAGE_MAP()

void CPage80211nSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_11N_AMSDU, m_bAmsdu);
    DDX_Check(pDX, IDC_11N_MPDU_AGGREGATION, m_bMpduAggregation);
    DDX_Radio(pDX, IDC_11N_AGG_MANUAL, m_nAggregationMode);
}

BOOL CPage80211nSettingDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    UpdateControlStates();
    return TRUE;
}

void CPage80211nSettingDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow)
        UpdateControlStates();
}

void CPage80211nSettingDlg::OnCheckChanged()
{
    UpdateData(TRUE);
    UpdateControlStates();
}

void CPage80211nSettingDlg::UpdateControlStates()
{
    const bool aggregation = m_bMpduAggregation != 0;
    const bool manual = aggregation && m_nAggregationMode == kManualMode;
    for (int id : kModeControls)
        GetDlgItem(id)->EnableWindow(aggregation);
    for (int id : kBlockAckButtons)
        GetDlgItem(id)->EnableWindow(manual);
    GetDlgItem(IDC_11N_AMSDU_3839)->EnableWindow(m_bAmsdu != 0);
    GetDlgItem(IDC_11N_AMSDU_7935)->EnableWindow(m_bAmsdu != 0);
}

void CPage80211nSettingDlg::OnAddOriginator() { SendToFrontWindow(MSG_ADD_BA_DLG, kShowDialog, kAddAsOriginator); }
void CPage80211nSettingDlg::OnAddRecipient() { SendToFrontWindow(MSG_ADD_BA_DLG, kShowDialog, kAddAsRecipient); }
void CPage80211nSettingDlg::OnDeleteOriginator() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteOriginatorTid); }
void CPage80211nSettingDlg::OnDeleteOriginatorAll() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteOriginatorAll); }
void CPage80211nSettingDlg::OnDeleteRecipient() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteRecipientTid); }
void CPage80211nSettingDlg::OnDeleteRecipientAll() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteRecipientAll); }

void CPage80211nSettingDlg::OnAckPolicyRange(UINT)
{
    OnAckPolicy();
}

void CPage80211nSettingDlg::OnAckPolicy()
{
    ULONG policy[4];
    for (int i = 0; i < 4; ++i)
        policy[i] = IsDlgButtonChecked(kAckPolicyBoxes[i]) == BST_CHECKED ? 1 : 0;
    if (QXWLAPI.QXWL_WriteAckPolicy)
        QXWLAPI.QXWL_WriteAckPolicy(policy[0], policy[1], policy[2], policy[3]);
    if (QXWLAPI.QXWL_SetAckPolicy)
        QXWLAPI.QXWL_SetAckPolicy(policy[0], policy[1], policy[2], policy[3]);
}
