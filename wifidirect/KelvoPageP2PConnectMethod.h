// Wi-Fi Direct: how WPS runs with a peer (push button, a PIN this device shows, or a PIN the
// user enters), for a connection the user starts and for a peer's request.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "ui/FloatButton.h"
#include "wifidirect/WiFiDirectPageSkin.h"

class CKelvoPageWlanP2PDlg;

// The skin library's pairs (normal, hover) of the connect-method pages' buttons.
constexpr UINT kP2PCloseNormal = 0x3FF, kP2PCloseHover = 0x3FE, kP2PNextNormal = 0x40B, kP2PNextHover = 0x40A;
constexpr UINT kP2PBackNormal = 0x3F9, kP2PBackHover = 0x3F8, kP2PExitNormal = 0x407, kP2PExitHover = 0x406;

class CKelvoPageP2PConnectMethod : public CWiFiDirectSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageP2PConnectMethod)
public:
    enum { IDD = IDD_KELVO_P2P_CONNECT_METHOD };
    CKelvoPageP2PConnectMethod() : CWiFiDirectSkinnedPage(IDD) {}

    ULONG m_nShowPin = 0;   // the PIN this device shows; new for each page creation
    ULONG m_nEnterPin = 0;  // the PIN taken from the field
    CString m_strEnterPin;  // and as it was typed: four digits stay four digits
    CString m_strPeerName;
    int m_nMethod = 0;  // 0 push button, 1 PIN shown here, 2 PIN entered by the user
    int m_bIncoming = 0;

    // Next: false while the page stays.
    bool OnLeavePage();
    void OnCancelPage();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnPushButton();
    void OnPinShown();
    void OnPinEntered();
    void OnNext() { OnLeavePage(); }
    void OnBack();
    DECLARE_MESSAGE_MAP()

private:
    CFloatButton m_btnClose, m_btnNext, m_btnBack, m_btnCancel;
};

// Shows the PIN with eight digits, leading zeros kept.
CString PinText(ULONG pin);
// The main window's Wi-Fi Direct page, or null.
CKelvoPageWlanP2PDlg* WiFiDirectMainPage();
// Returns to the page at the bottom of the back stack (emptied) under the Wi-Fi Direct strip.
void ReturnToFirstWiFiDirectPage();
// The look both connect-method pages share: texts, fonts and button skins.
void SkinConnectMethodPage(CDialog& page, CWiFiDirectPageSkin& skin, CFloatButton& close, CFloatButton& next,
                           CFloatButton& back, CFloatButton& cancel);
