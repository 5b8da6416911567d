// Soft-AP library variant: the access point's configuration page. It owns the working copy of the
// whole AP_CONFIG_DATA (the security block included, which the security dialog edits) and is the
// only code that writes it to the soft-AP library.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CHTTable.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"

#include <cstddef>
#include <vector>

// The security block of AP_CONFIG_DATA: 432 bytes from enumAuthenMode to the end of chWepKey.
inline constexpr size_t kApSecurityOffset = offsetof(AP_CONFIG_DATA, enumAuthenMode);
inline constexpr size_t kApSecurityBytes = offsetof(AP_CONFIG_DATA, nIdleTime) - kApSecurityOffset;
static_assert(kApSecurityBytes == 432);
inline constexpr int kApSecurityWords = kApSecurityBytes / 4;

// TRANSMIT_SETTING, the HT_PhyMode word as the page writes it.
struct ApHtSetting {
    ULONG PhyMode = 0;  // bits 0-3
    ULONG Mcs = 0;      // bits 4-10 (33 automatic)
    ULONG Bw = 0;       // bit 11, 1 = 40 MHz
    ULONG ShortGI = 0;  // bit 12
    ULONG Stbc = 0;     // bit 13
    ULONG TransNo = 0;  // bits 14-15
    ULONG HtMode = 0;   // bit 16, 0 mixed, 1 green field
    ULONG ExtCha = 0;   // bits 17-18: 0 none, 1 above, 3 below
    ULONG Bridge = 0;   // bits 21-29: the bridge word of the skinned access-point page

    ULONG Pack() const;
    static ApHtSetting Unpack(ULONG word);
};

// The "11N mode" check box (process-wide) and the times the loader fell back to the default file.
extern int G_b11nMode;
extern int G_nApDefaultFallbackCount;

class CConfigPage : public CClassicDlg {
    DECLARE_DYNCREATE(CConfigPage)
public:
    enum { IDD = IDD_AP_CONFIG };
    enum : ULONG { kMode24G = 0, kMode5G = 2, kMode5GN = 8, kMode24GN = 9 };
    static constexpr ULONG kMcsAuto = 33;
    static constexpr ULONG kRegionCustom = 30;
    static constexpr int kMaxChannels = 32;

    CConfigPage();
    ~CConfigPage() override;
    // The live page of the access-point page set (the last one built), or null.
    static CConfigPage* Find();

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    int WriteConfigToRegistryAndSetOid();
    int LoadConfig();
    // APPLY: checks and writes the configuration to the library; FALSE when refused or not written.
    BOOL OnApply();
    // The bridge word the next write puts into bits 21-29 of the HT word.
    void SetBridgeWord(ULONG word);
    void OnDefault();
    void OnCancelButton();
    void OnUseMacAddress();
    void OnSecurity();
    void OnAutoChannel();
    void On11nMode();
    void OnAllowBw40();
    void OnSelchangeCountryRegion();
    // The band combo's handler: saves the page, then rebuilds it for the chosen band.
    void OnSelchangeWirelessMode();
    void OnSelchangeChannel();
    void OnSetActive();
    void OnKillActive();

    // The security block handed to and taken from the security dialog.
    void GetSecurityBlock(AP_CONFIG_DATA& into) const;
    void SetSecurityBlock(const AP_CONFIG_DATA& from);
    void LoadRadioSettings(const AP_CONFIG_DATA& record);
    // The record the page stands for when the library's is empty and no default file stands in.
    static AP_CONFIG_DATA DefaultRecord();
    // Where the record the access point is shown with comes from.
    enum class RecordSource { Library, DefaultFile, PageDefaults };
    // An empty library record replaced by what stands in for it: the default file's record, else
    // the page defaults. Every page shows the access point this way.
    static RecordSource StandInForEmptyRecord(AP_CONFIG_DATA& record);

    // Texts of the 5 GHz region combo for a device model; empty outside models 0-8.
    static std::vector<CString> FiveGhzRegionTexts(ULONG model, BOOL reduced);
    // The 5 GHz partner of a 40 MHz pair, 0 when the channel has none.
    static int FiveGhzExtensionPartner(int channel);
    // Wireless mode code of a band text, and back.
    static ULONG ModeForBand(const CString& band, BOOL n);

    // Page state (the names of the record's fields where it mirrors one).
    CString m_strSsid;
    CString m_strWirelessMode;  // the band text
    ULONG m_nWirelessMode = kMode24G;
    CString m_strChannel;
    CString m_strExtChannel;
    CString m_strMcs;
    int m_nBGProtection = 0;
    int m_nBGProtectionSaved = 0;
    int m_nTxPower = 0;
    int m_nPreamble = 0;
    int m_nBeaconPeriod = 100;
    int m_lRtsThre = 2347;
    int m_lFragThre = 2346;
    int m_bTxBurst = 1;
    int m_bTurboRate = 0;
    int m_bNoForwarding = 0;
    int m_bHideSsid = 0;
    int m_bShortSlot = 1;
    int m_bAutoChannel = 0;
    int m_nIdleTime = 300;
    ULONG m_nCountryRegion = 0;
    ULONG m_nCountryRegionABand = 0;
    ULONG m_nTXRate = 0;
    int m_nGuardInterval = 1;  // 0 long, 1 short ("Auto")
    int m_nStbc = 1;
    int m_nHtMode = 0;
    int m_bAllowBW40 = 1;
    int m_bAllowBW40Wish = 1;
    ULONG m_ulBW40Capability = 3;
    ULONG m_ulBridgeWord = 0;  // nine bits, kept by the skinned access-point page
    UCHAR m_Channels24[kMaxChannels] = {};
    UCHAR m_Channels5[kMaxChannels] = {};
    ULONG m_nChannels24 = 0;
    ULONG m_nChannels5 = 0;
    BOOL m_bCustom24 = FALSE;
    BOOL m_bCustom5 = FALSE;
    BOOL m_bExtChannelExists = FALSE;
    CString m_strApName;
    CString m_strTxRateText;
    ULONG m_ulRegionWord = 0;
    ULONG m_ulHas5G = 0;
    ULONG m_ulHas24G = 0;
    ULONG m_SecurityBlock[kApSecurityWords] = {};
    UCHAR m_MacAddr[6] = {};
    CHTTable m_HTTable;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSaveOnly();
    void OnMcsOrGuardInterval();
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void SetControlTexts();
    void LoadCountryRegion();
    void FillRegionCombo(CComboBox& combo, const std::vector<CString>& texts, const std::vector<ULONG>& data,
                         BOOL custom, ULONG highest);
    void QueryCountryChannels();
    void FillTxRateList();
    void FillMcsCombo();
    void FillChannelList();
    // The band's lists and controls, from the band combo; the page is loaded afterwards.
    void ApplyWirelessMode();
    void RebuildRegionChannels();
    void EnableOrDisableAllowBW40(int wish);
    void EnableDlgItemForWirelessMode80211n(BOOL enable);
    void ApplyHtVisibility();
    void RefreshTxRateText();
    void AutoChannelRule();
    void SelectBandText();
    // The SSID of a record; the library's own "-XX" suffix of the factory SSID is not shown.
    void LoadSsidFromRecord(const AP_CONFIG_DATA& c);
    static BOOL Is11nApplied();
    BOOL Span24AtLeast4() const;
    BOOL ExtensionExists(int channel) const;
    void Show(int id, BOOL show);
    void Enable(int id, BOOL enable);
    void ShowApMessage(const CString& text);

    CComboBox m_comboMode, m_comboChannel, m_comboRegionBG, m_comboRegionA, m_comboTxRate, m_comboTxPower,
        m_comboBGProt, m_comboPreamble, m_comboAntTx, m_comboAntRx, m_comboExtCha, m_comboMcs;
    std::vector<CString> m_Region24Texts, m_Region5Texts;
    std::vector<ULONG> m_Region24Data, m_Region5Data;
    DECLARE_MESSAGE_MAP()
};
