// The 802.11n settings page: its Block-Ack buttons, ack-policy boxes and the rule that enables
// the aggregation controls. Its other settings belong to the page's own data exchange.
#pragma once
#include "station/CClassicDlg.h"
#include "res/resource.h"

#include <vector>

// One row per TID of a Block-Ack agreement-table entry.
struct BA_TID_ROW {
    BA_TID_ROW(const UCHAR* peerMac, UCHAR tid, USHORT value1, USHORT value2, USHORT word, ULONG bTidSet);
    UCHAR Reserved0 = 0;
    UCHAR PeerMac[6] = {};
    UCHAR TID = 0;
    USHORT Value1 = 0;
    USHORT Value2 = 0;
    USHORT Word = 0;
    UCHAR Reserved14[2] = {};
    ULONG bTidSet = 0;  // nonzero when the TID's bit is set in the entry's TID bitmap
};
static_assert(sizeof(BA_TID_ROW) == 20);

class CPage80211nSettingDlg : public CClassicDlg {
public:
    enum { IDD = IDD_80211N_SETTING };
    explicit CPage80211nSettingDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    int m_bAmsdu = 0;            // check box 1115
    int m_bMpduAggregation = 0;  // check box 1116
    int m_nAggregationMode = 0;  // 0 manual, 1 automatic

    static constexpr int kManualMode = 0;

    void UpdateControlStates();
    std::vector<BA_TID_ROW> GetOriginatorBaEntries() const { return m_originatorRows; }
    std::vector<BA_TID_ROW> GetRecipientBaEntries() const { return m_recipientRows; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnCheckChanged();
    void OnAddOriginator();
    void OnAddRecipient();
    void OnDeleteOriginator();
    void OnDeleteOriginatorAll();
    void OnDeleteRecipient();
    void OnDeleteRecipientAll();
    void OnAckPolicy();
    void OnAckPolicyRange(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<BA_TID_ROW> m_originatorRows;
    std::vector<BA_TID_ROW> m_recipientRows;
};
