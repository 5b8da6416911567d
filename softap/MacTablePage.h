// Soft-AP library variant: the table of stations associated with the access point, rebuilt every
// two seconds while the page is shown.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CHTTable.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"

#include <vector>

class CMacTablePage : public CClassicDlg {
    DECLARE_DYNCREATE(CMacTablePage)
public:
    enum { IDD = IDD_AP_MAC_TABLE };
    enum { kColumnMac, kColumnAid, kColumnPowerSave, kColumnRate };

    CMacTablePage();

    void InitListCtrl();
    void OnSetActive();
    void OnKillActive();
    // One refresh from the library; the rows stay as they were when the library fails.
    void Refresh();
    // The rate column of an 802.11n table entry's TxRate word.
    static CString RateText(USHORT txRate, const CHTTable& table);

    CListCtrl m_list;
    std::vector<CString> m_macs;  // the MAC texts of the rows, in row order
    CHTTable m_HTTable;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void AddRow(const UCHAR* mac, UCHAR aid, UCHAR psm);
    DECLARE_MESSAGE_MAP()
};
