// Wi-Fi Direct: the progress of a connection with its method and PIN; the progress form drives it.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "ui/CProcessStatic.h"
#include "ui/FloatButton.h"
#include "wifidirect/WiFiDirectForms.h"
#include "wifidirect/WiFiDirectPageSkin.h"

class CKelvoPageP2PLinkStatus : public CWiFiDirectSkinnedPage, public IWiFiDirectProgressView {
    DECLARE_DYNCREATE(CKelvoPageP2PLinkStatus)
public:
    enum { IDD = IDD_KELVO_P2P_LINK_STATUS };
    // The skin library's bitmaps of the progress bar (bar, background) and the Exit pair.
    static constexpr UINT kBarBitmap = 0x65, kBarBackground = 0x66, kExitNormal = 0x407, kExitHover = 0x406;
    CKelvoPageP2PLinkStatus() : CWiFiDirectSkinnedPage(IDD) {}
    ~CKelvoPageP2PLinkStatus() override;

    int m_nPercent = 0;
    int m_nReserved = 0;
    ULONG m_nShowPin = 0;

    HWND ProgressHostWindow() const override { return m_hWnd; }
    void OnProgress(int percent) override;
    // A failed attempt: full bar and the try-again text.
    void ShowFailure();
    // The text the page shows under the bar, and the bar's percentage.
    CString StatusText() const;
    int BarPercent() const { return m_bar.m_hWnd ? m_bar.GetPercent() : -1; }
    void OnExit();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void SetBar(int percent);
    // The PIN of the running attempt as the user saw or typed it; empty for push button.
    CString AttemptPin() const;

    CProcessStatic m_bar;
    CFloatButton m_btnExit;
};
