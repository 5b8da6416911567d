// The General, WPS and CCX tabs of the access-point details dialog: text members shown in
// statics after the data exchange.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/CProgressCtrlX.h"
#include "res/resource.h"

class CPageGeneralDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AP_GENERAL };
    explicit CPageGeneralDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    CString m_strSSID, m_strMAC, m_strAuth, m_strEncry, m_strChannel, m_strNetworkType, m_strSupportRates,
        m_strBeacon, m_strMDID;
    CProgressCtrlX m_progressSignal;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CPageWPSStatusDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AP_WPS };
    explicit CPageWPSStatusDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    CString m_strAuth, m_strEncry, m_strConfigMethods, m_strDevicePasswordId, m_strSelectedRegistrar, m_strState,
        m_strVersion, m_strApSetupLocked, m_strUuidE, m_strRfBands;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CPageCCXDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AP_CCX };
    explicit CPageCCXDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    CString m_strCckm, m_strCmic, m_strCkip;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
