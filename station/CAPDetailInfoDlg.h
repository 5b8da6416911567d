// Everything the program can say about one access point, from its scan-table entry and the
// library's decoding of its information elements, on four tabs.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CHTTable.h"
#include "contract/IeParseResult.h"
#include "res/resource.h"

#include <vector>

class CTabDialog;
class CPageGeneralDlg;
class CPageWPSStatusDlg;
class CPageCCXDlg;
class CPage80211nDlg;

class CAPDetailInfoDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AP_DETAIL };
    explicit CAPDetailInfoDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}
    ~CAPDetailInfoDlg() override;

    // Keeps a copy of the entry and its information elements (the scan table may change while
    // the dialog shows it). An entry whose length does not cover its fixed fields and IEs is refused.
    BOOL SetBssEntry(const NDIS_WLAN_BSSID_EX* entry);
    const NDIS_WLAN_BSSID_EX* GetBssEntry() const;

    // The General tab's texts. The authentication text follows the whole mask; a mask of no
    // known combination keeps the text shown before. "+CCKM" is added once when CCKM is offered.
    static void FormatAuthentication(CString& text, ULONG authMask, ULONG bCckm);
    // The ciphers of the mask joined by "+"; without any, "WEP" or "NONE" by the privacy bit.
    static CString FormatEncryption(ULONG cipherMask, ULONG privacy);
    // The first 20 characters and ".." for a name longer than 21 characters.
    static CString ShortenSsid(const CString& ssid);
    // The signal bar's colour for a percentage: FALSE (colours kept) above 100.
    static BOOL SignalBarColor(int percent, COLORREF* color);
    // "<label>: " and the rates ascending, "%d" when whole, else "%.1f", comma-separated; only the
    // label when there are none. A rate byte of 0 ends the list (its basic-rate bit ignored).
    static CString FormatSupportedRates(const CString& label, const UCHAR* rates, size_t count);

    // The 802.11n rate text: two line feeds, the label, ": " and the largest rate of the bitmap.
    void FormatHtMaxRate(CString& out, ULONG b40MHz, ULONG bShortGi20, ULONG bShortGi40, const UCHAR* mcsBitmap) const;

    enum { kTabGeneral, kTabWps, kTabCcx, kTab80211n, kTabCount };
    CPageGeneralDlg* GetGeneralPage() const { return m_pGeneral; }
    CPageWPSStatusDlg* GetWpsPage() const { return m_pWps; }
    CPageCCXDlg* GetCcxPage() const { return m_pCcx; }
    CPage80211nDlg* Get80211nPage() const { return m_p80211n; }
    CShadeButtonST* GetTabButton(int tab) const { return m_pTabButtons[tab]; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnClose();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateTabs();
    void FillTabs();
    void FillGeneral(const IE_PARSE_RESULT& record);
    CString SupportedRatesText(const IE_PARSE_RESULT& record) const;
    void FillSignalBar(int percent);

    std::vector<BYTE> m_entry;  // the entry and its IEs
    CPageGeneralDlg* m_pGeneral = nullptr;
    CPageWPSStatusDlg* m_pWps = nullptr;
    CPageCCXDlg* m_pCcx = nullptr;
    CPage80211nDlg* m_p80211n = nullptr;
    CShadeButtonST* m_pTabButtons[kTabCount] = {};
    CTabDialog* m_pTabDialog = nullptr;
    CShadeButtonST m_btnClose;
    CFont m_tabFont;
    CHTTable m_htTable;
};
