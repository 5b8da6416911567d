// The 802.1X authentication log: every status text the 802.1X callback hands over, with a
// millisecond timestamp, the adapter's description and the active profile's name.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/CQuickList.h"
#include "ui/CSeparator.h"
#include "core/AuthStatusMessages.h"
#include "res/resource.h"

#include <vector>

class CAuthenStatusDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AUTHEN_STATUS };
    explicit CAuthenStatusDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    struct Entry {
        CString strTime;
        CString strText;
    };
    const std::vector<Entry>& GetEntries() const { return m_entries; }

    CString m_strCardName;
    CString m_strProfileName;

    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 20;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnStatusText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnBtnOK();
    void OnBtnCancel();
    DECLARE_MESSAGE_MAP()

private:
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    void ResetWindow();
    void ReadHeaderTexts();
    // Places OK and Cancel side by side, keeping their gap, centred under the list.
    void CentreButtonsUnderList();
    void AddEntry(const CString& text);

    std::vector<Entry> m_entries;
    CQuickList m_list;
    CSeparator m_separator;
};
