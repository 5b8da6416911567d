// The profile control page: a profile's name, SSID and network type, with a small scan list of
// its own, leading into the security wizard's profile road. It keeps no profile: it fills the
// hidden profile editor's system-configuration page.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "skin/SurveyListEntry.h"
#include "framework/CImageList.h"
#include "skin/SkinnedPageLook.h"
#include "ui/CQuickList.h"

#include <vector>

class CKelvoPageProfileCtrlDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageProfileCtrlDlg)
public:
    enum { IDD = IDD_KELVO_PROFILE_CTRL };
    static constexpr int kTextMax = 32;
    enum Column { kColumnIcon = 0, kColumnSsid = 1, kColumns = 2 };
    CKelvoPageProfileCtrlDlg() : CDialog(IDD) {}

    // Refills the scan list after a scan finished (the main window calls it).
    void RefreshScanList();
    void RefreshFromSurvey();
    // Starts a scan ("Scan").
    void OnScan();
    void OnSelect();
    void OnNext();
    void OnExit();
    // Sorts the SSID column (the header click once the scan has finished).
    void SortBySsid();
    // The profile name as typed.
    CString ProfileNameText() const;
    // The scan-completion callback: runs on the library's thread, only flags and posts.
    static void WINAPI OnScanDone();

    int m_bScanDone = 0;       // the scan-finished flag
    int m_bSortAscending = 0;  // the header toggle
    int m_bNewProfile = 0;     // 1 when the editor's SSID was empty as the page was shown
    // The network chosen in the scan list: its security as the profile editor is preset with.
    int m_nChosenAuth = 0;
    int m_bChosenSecured = 0;
    CString m_strChosenCipherText;
    CString m_strChosenBssid;  // twelve hexadecimal digits
    std::vector<SURVEY_LIST_ENTRY> m_Entries;
    CQuickList m_list;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnInfrastructure();
    void OnAdhoc();
    LRESULT OnScanListChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void PrepareForm();
    void CopySurveyEntries();
    void ShowRows();
    int SelectedRow() const;
    CWnd* Owner() const;

    CImageList m_images;
    CSkinnedPageLook m_look;
};
