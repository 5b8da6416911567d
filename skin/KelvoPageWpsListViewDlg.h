// The WPS list page: the access points that announce WPS, from a scan it starts whenever it is
// shown; Next starts a PIN exchange with the chosen one (or, in registrar mode with an access
// point not yet configured, first asks for the settings to give it).
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "skin/SkinnedPage.h"

class CKelvoPageWpsLinkStatusDlg;

class CKelvoPageWpsListViewDlg : public CSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageWpsListViewDlg)
public:
    enum { IDD = IDD_KELVO_WPS_LIST_VIEW };
    static constexpr int kColumns = 3;
    static constexpr UINT kImagesBitmap = 314;
    static constexpr int kImageWidth = 45;
    static constexpr int kImageConfigured = 4, kImageUnconfigured = 5;
    CKelvoPageWpsListViewDlg() : CSkinnedPage(IDD) {}

    // Refills the list after a scan finished.
    void RefreshWpsList();
    void StartScan();
    void OnNext();
    void OnExitPage();
    // What the list shows: its row count, a cell's text and a row's image.
    int GetRowCount() const;
    CString GetRowText(int row, int column) const;
    int GetRowImage(int row) const;
    void SelectRow(int row);
    // The completion callback of the page's scan: posts the scan-finished message to the main window.
    static void WINAPI OnScanDone();

    int m_bScanDone = 0;  // the scan-finished flag
    CString m_strSsid, m_strBssid;  // the chosen access point

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CKelvoPageWpsLinkStatusDlg* LinkPage() const;
    void ShowRowCount();

    CListCtrl m_list;
    CImageList m_images;
    CString m_cellText;  // the text handed to the list for the cell it asked for
};
