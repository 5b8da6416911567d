// The 802.11n tab of the access-point details: the HT fields the library decoded, one labelled
// row each under section rows, in a two-column owner-data list.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/CQuickList.h"
#include "contract/IeParseResult.h"
#include "res/resource.h"

#include <array>
#include <vector>

struct HT_INFO_ROW {
    UCHAR bHeader;  // 1: section row
    CString strProperty;
    CString strValue;
};

class CPage80211nDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AP_80211N };
    explicit CPage80211nDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    static constexpr int kRowCount = 64;
    static constexpr int kFieldCount = 54;

    // The field values in row order (section rows skipped), then the HT flag text.
    std::array<CString, kFieldCount> m_strValues;
    CString m_strHtFlag;

    // Formats every field of the record into its value string.
    void SetValuesFromRecord(const IE_PARSE_RESULT& record);
    void FillHtInfoList();
    const std::vector<HT_INFO_ROW>& GetRows() const { return m_rows; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateListCount();

    std::vector<HT_INFO_ROW> m_rows;
    CQuickList m_list;
};
