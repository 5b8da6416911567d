// The 802.11n settings page: the adapter's Block-Ack capability (A-MSDU, SM power save, MPDU
// aggregation and density), the Block-Ack agreements in force as originator and recipient with
// requests to add or delete them, and, when the settings file enables it, the per-category ack
// policy and the 20/40 MHz coexistence test mode.
#pragma once
#include "station/CClassicDlg.h"
#include "res/resource.h"
#include "ui/CQuickList.h"

#include <array>
#include <vector>

struct BA_CAPABILITY;

// One record per TID of a Block-Ack agreement-table entry, read by the delete dialog.
struct BA_TID_ROW {
    BA_TID_ROW(const UCHAR* peerMac, UCHAR tid, USHORT value1, USHORT value2, USHORT word, ULONG bTidSet);
    UCHAR Direction = 0;  // 0 originator, 1 recipient
    UCHAR PeerMac[6] = {};
    UCHAR TID = 0;
    USHORT Value1 = 0;    // the TID's 8-bit value
    USHORT Value2 = 0;    // the TID's 16-bit value
    USHORT Word = 0;      // 0
    UCHAR Reserved14[2] = {};
    ULONG bTidSet = 0;  // nonzero when the TID's bit is set in the entry's TID bitmap
};
static_assert(sizeof(BA_TID_ROW) == 20);

class CPage80211nSettingDlg : public CClassicDlg {
public:
    enum { IDD = IDD_80211N_SETTING };
    static constexpr int kManualMode = 0, kAutoMode = 1;
    static constexpr int kAmsdu3839 = 0, kAmsdu7935 = 1;
    static constexpr int kSmEnable = 0, kSmStatic = 1, kSmDynamic = 2;
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 1000;
    static constexpr int kBaColumns = 9;  // the MAC, then TID 0 to 7

    explicit CPage80211nSettingDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    CString m_strDensity = "0";
    int m_bAmsdu = 1;
    int m_bMpduAggregation = 1;
    int m_nAggregationMode = kAutoMode;
    int m_nAmsduSize = kAmsdu3839;
    int m_nSmPowerSave = kSmEnable;
    ULONG m_nValueA = 32;
    ULONG m_nValueB = 32;

    void UpdateControlStates();
    std::vector<BA_TID_ROW> GetOriginatorBaEntries() const { return m_originatorRecords; }
    std::vector<BA_TID_ROW> GetRecipientBaEntries() const { return m_recipientRecords; }
    // The capability the page's fields describe, and the fields set from a stored one.
    BA_CAPABILITY BuildCapability() const;
    void ApplyCapability(const BA_CAPABILITY& cap);
    // Re-reads the agreement table into both lists.
    void RefreshBlockAckTables();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    // A check box or the aggregation mode changed: the controls follow at once.
    void OnCheckChanged();
    void OnApply();
    void OnCoexModeChanged();
    void OnAddOriginator();
    void OnAddRecipient();
    void OnDeleteOriginator();
    void OnDeleteOriginatorAll();
    void OnDeleteRecipient();
    void OnDeleteRecipientAll();
    void OnAckPolicy();
    void OnAckPolicyRange(UINT nID);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CQuickList m_listOriginator;
    CQuickList m_listRecipient;
    std::vector<std::array<CString, kBaColumns>> m_originatorRows;
    std::vector<std::array<CString, kBaColumns>> m_recipientRows;

private:
    std::vector<BA_TID_ROW> m_originatorRecords;
    std::vector<BA_TID_ROW> m_recipientRecords;
    void InitAckPolicy();
    void SetUpList(CQuickList& list);
    static void ShowRows(CQuickList& list, int rows);
};
