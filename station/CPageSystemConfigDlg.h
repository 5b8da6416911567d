// The system configuration page of the profile editor: the radio part of a profile (name, SSID,
// network type, channel, power save, transmit power, preamble, RTS and fragmentation thresholds,
// diagnostics). It keeps the values; the editor reads them when it builds the profile record.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/resource.h"
#include "ui/ButtonST.h"
#include "ui/CLinkSlider.h"
#include "ui/CSmartEdit.h"
#include "ui/ComboBoxSuper.h"

// Sent by the network-type button just before its menu opens (wParam: the popup menu).
constexpr UINT MSG_SYSCONFIG_MENU_POPUP = WM_USER + 109;

// What the page asks of the editor that hosts it.
class ISystemConfigHost {
public:
    virtual ~ISystemConfigHost() = default;
    // Ad hoc was chosen: 802.1X is switched off and its tab disabled.
    virtual void OnAdhocChosen() = 0;
    // A power-save radio was clicked: the editor clicks the page's own tab button.
    virtual void OnPowerSaveClicked() = 0;
};

class CPageSystemConfigDlg : public CClassicDlg {
public:
    enum { IDD = IDD_SYSTEM_CONFIG };
    static constexpr ULONG kInfrastructure = 1, kAdhoc = 0;
    static constexpr ULONG kPreambleAuto = 0, kPreambleLong = 1;
    static constexpr int kRtsMin = 0, kRtsMax = 2347;
    static constexpr int kFragMin = 256, kFragMax = 2346;
    static constexpr int kTxPowerLevels = 7;  // Auto, 100 %, 75 %, 50 %, 25 %, 10 %, lowest

    explicit CPageSystemConfigDlg(CWnd* pParent = nullptr);

    // Pre-fills for a new profile made from a scanned network (one record of the scan table).
    void FillSsidFromScanTable(const NDIS_WLAN_BSSID_EX* entry, LPCSTR profileName, LPCSTR profileId);
    // Pre-fills for a new profile with no network chosen.
    void LoadFromScanEntry(LPCSTR profileName, LPCSTR profileId);
    // Refreshes the controls from the fields after the editor loaded a stored profile into them.
    void LoadFromScanEntryEx();
    void OnInfrastructureMode();
    void OnAdhocMode();

    ISystemConfigHost* m_pHost = nullptr;

    ULONG m_nAdhocMode = 1;
    ULONG m_nNetworkType = kAdhoc;
    ULONG m_nPreamble = kPreambleAuto;
    ULONG m_bACCam = 0;
    ULONG m_nPowerSaveMode = 0;  // 0 CAM, 1 PSM
    ULONG m_nTxPower = 0;        // index of the transmit-power menu
    int m_nRtsThreshold = kRtsMax;
    int m_nFragThreshold = kFragMax;
    int m_nRtsEdit = kRtsMax;
    int m_nFragEdit = kFragMax;
    ULONG m_bUseRts = 0;
    ULONG m_bUseFrag = 0;
    ULONG m_bDiagnostic = 0;
    ULONG m_bCreated = 0;
    CString m_strProfileName;
    CString m_strProfileId;
    CString m_strSsid;
    CString m_strChannel;
    CString m_strInitialProfileName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    void OnPowerSaveRadio();
    void OnUseRts();
    void OnUseFrag();
    void OnRtsEditChanged();
    void OnFragEditChanged();
    void OnTxPowerCommand(UINT nID);
    void OnPreambleCommand(UINT nID);
    LRESULT OnNetworkMenuPopup(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CComboBoxSuper m_comboSsid;
    CComboBox m_comboChannel;
    CButtonST m_btnNetworkType;
    CButtonST m_btnTxPower;
    CButtonST m_btnPreamble;
    CSmartEdit m_editRts;
    CSmartEdit m_editFrag;
    CLinkSlider m_sliderRts;
    CLinkSlider m_sliderFrag;

private:
    void ResetToDefaults();
    void SetNameAndId(LPCSTR profileName, LPCSTR profileId);
    // Fills the SSID combo from a copy of the repository; the row of the last record whose SSID
    // equals `match` (-1 when none).
    int FillSsidCombo(const CString& match);
    void QueryAdhocMode();
    void RebuildChannelList();
    void SelectTxPower(ULONG index);
    void SelectPreamble(ULONG index);
    void ApplyThresholdStates();
    void SetEditNumber(CSmartEdit& edit, int value);
    void ResetThreshold(int& threshold, int& editValue, CSmartEdit& edit, CLinkSlider& slider, int value);
    static int EditNumber(const CSmartEdit& edit);
};
