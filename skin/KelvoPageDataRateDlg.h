// The data-rate graph: transmit and receive throughput in kbit/s, as numbers and as two bars on
// a logarithmic scale of six decades. The link information page runs it modally.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "ui/CPictureStatic.h"
#include "ui/CTransparentEdit.h"
#include "ui/CTransparentStatic.h"
#include "ui/FloatButton.h"

class CKelvoPageDatarateDlg : public CDialog {
public:
    enum { IDD = IDD_KELVO_DATA_RATE };
    static constexpr UINT_PTR TIMER_DATARATE_REFRESH = 18;
    static constexpr UINT kRefreshMs = 1000;
    static constexpr ULONG kBytesPerKbit = 125;
    // The top of the scale, 1 000 000 kbit/s: more than the fastest link carries in a second.
    static constexpr ULONG kMaxBytesPerSecond = 125'000'000;
    static constexpr UINT kBackgroundId = 1002, kCloseNormalId = 1023, kCloseHoverId = 1022, kBarPictureId = 103;

    explicit CKelvoPageDatarateDlg(CWnd* pParent = nullptr);
    ~CKelvoPageDatarateDlg() override;

    // Bytes moved between two readings of a wrapping 32-bit counter. A reading below the
    // previous one is a wrap only when the difference across it fits in maxDelta; otherwise
    // the counter went back (a driver restart) and nothing was moved as far as we can tell.
    // A forward step above maxDelta is as implausible and also counts as 0.
    static ULONG CounterDelta(ULONG previous, ULONG current, ULONG maxDelta);
    // Zeroes the record, queries it with the four status selectors and tells whether the link
    // is up: state 3 and a BSSID that is not all zero.
    static bool QueryLinkStatus(WLAN_STATUS& status);

    // One timer pass: nothing while the link is down.
    void Refresh();

    CString m_strTransmit, m_strReceive;  // the shown values, empty until the second pass
    ULONG m_nPrevTxBytes = 0, m_nPrevRxBytes = 0;
    ULONG m_bFirstPass = 0;  // 1 once a link-up pass has run

    CPictureStatic m_barTransmit, m_barReceive;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnClose();
    void OnCloseButton();
    DECLARE_MESSAGE_MAP()

private:
    CTransparentStatic m_title, m_labelTransmit, m_labelReceive, m_unitTransmit, m_unitReceive;
    CTransparentStatic m_scale[7];
    CTransparentEdit m_editTransmit, m_editReceive;
    CFloatButton m_btnClose;
    HBITMAP m_hBackground = nullptr;
};
