// The General, WPS and CCX tabs of the access-point details dialog: text members shown in
// statics after the data exchange, labelled from the language table.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/CProgressCtrlX.h"
#include "res/resource.h"

// The signal bar's three-colour gradient: the level colour at both ends, a light tone between.
constexpr COLORREF kSignalBarGreen = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kSignalBarMiddle = RGB(0xA6, 0xCA, 0xF0);

// A label/value tab: the page font on every control and the labels' texts.
class CDetailTabPage : public CClassicDlg {
public:
    using CClassicDlg::CClassicDlg;

protected:
    struct Label {
        int id;
        const CString& text;
    };
    void ApplyFontAndLabels(const Label* labels, size_t count);
};

class CPageGeneralDlg : public CDetailTabPage {
public:
    enum { IDD = IDD_AP_GENERAL };
    explicit CPageGeneralDlg(CWnd* pParent = nullptr) : CDetailTabPage(IDD, pParent) {}

    CString m_strSSID, m_strMAC, m_strAuth, m_strEncry, m_strChannel, m_strNetworkType, m_strSupportRates,
        m_strBeacon, m_strMDID;
    CProgressCtrlX m_progressSignal;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

class CPageWPSStatusDlg : public CDetailTabPage {
public:
    enum { IDD = IDD_AP_WPS };
    explicit CPageWPSStatusDlg(CWnd* pParent = nullptr) : CDetailTabPage(IDD, pParent) {}

    CString m_strAuth, m_strEncry, m_strConfigMethods, m_strDevicePasswordId, m_strSelectedRegistrar, m_strState,
        m_strVersion, m_strApSetupLocked, m_strUuidE, m_strRfBands;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

class CPageCCXDlg : public CDetailTabPage {
public:
    enum { IDD = IDD_AP_CCX };
    explicit CPageCCXDlg(CWnd* pParent = nullptr) : CDetailTabPage(IDD, pParent) {}

    CString m_strCckm, m_strCmic, m_strCkip;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
