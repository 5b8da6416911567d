// Wi-Fi Direct: the progress of a connection with its method and PIN; the progress form drives it.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "wifidirect/WiFiDirectForms.h"

class CKelvoPageP2PLinkStatus : public CDialog, public IWiFiDirectProgressView {
    DECLARE_DYNCREATE(CKelvoPageP2PLinkStatus)
public:
    enum { IDD = IDD_KELVO_P2P_LINK_STATUS };
    CKelvoPageP2PLinkStatus() : CDialog(IDD) {}
    ~CKelvoPageP2PLinkStatus() override;

    int m_nPercent = 0;
    int m_nReserved = 0;
    ULONG m_nShowPin = 0;

    HWND ProgressHostWindow() const override { return m_hWnd; }
    void OnProgress(int percent) override;
    // A failed attempt: full bar and the try-again text.
    void ShowFailure();
    // The text the page shows under the bar.
    CString StatusText() const;
    void OnExit();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void SetBar(int percent);
};
