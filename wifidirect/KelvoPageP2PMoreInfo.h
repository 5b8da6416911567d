// Wi-Fi Direct: the group's name, link speed, signal, quality and this device's addresses,
// refreshed every two seconds while the dialog runs.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "ui/CSignalStatic.h"
#include "ui/FloatButton.h"
#include "wifidirect/WiFiDirectPageSkin.h"

#include <vector>

constexpr UINT_PTR TIMER_P2PMOREINFO_REFRESH = 24;

// Asks the device at the path for an NDIS object: 1 with the value in the buffer, 0 when the
// device cannot be opened or the query fails.
int NdisQueryOid(LPCSTR devicePath, ULONG oid, void* buffer, ULONG bufferSize, ULONG* returned);
// The hardware identifiers of "HWID.ini" beside the program, [MZ4415] DeviceID_1, DeviceID_2, ...
// up to the first missing or empty one, in upper case.
std::vector<CString> ReadHardwareIds();
// The link-speed text of a speed in units of 100 bit/s (64-bit arithmetic).
CString LinkSpeedText(ULONG speed100bps);

class CKelvoPageP2PMoreInfo : public CDialog {
public:
    enum { IDD = IDD_KELVO_P2P_MORE_INFO };
    static constexpr UINT kRefreshMs = 2000;
    static constexpr ULONG kOidLinkSpeed = 0x00010107;
    static constexpr char kLayoutFile[] = "_dpiFIleMoreInfo";
    // The skin library's bitmaps: the background, the Close pair, the signal bars (lit, unlit).
    static constexpr UINT kBackgroundBitmap = 1002, kCloseNormal = 0x3FF, kCloseHover = 0x3FE;
    static constexpr UINT kBarLit = 1102, kBarUnlit = 1103;
    explicit CKelvoPageP2PMoreInfo(CWnd* parent = nullptr) : CDialog(IDD, parent) {}
    ~CKelvoPageP2PMoreInfo() override;

    void Refresh();
    void ClearValues();
    // The adapter's device path ("\\.\{...}"), empty when no device of the list is present.
    CString FindDevicePath();

    std::vector<CString> m_hardwareIds;
    bool m_bIdsLoaded = false;
    CSignalStatic m_signal, m_quality;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnClose() { EndDialog(IDCANCEL); }
    DECLARE_MESSAGE_MAP()

private:
    CWiFiDirectPageSkin m_skin{*this};
    CFloatButton m_btnClose;
    HBITMAP m_hBackground = nullptr;
};
