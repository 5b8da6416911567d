// The 802.1X page of the editors: EAP method, inner method and session resumption, and an
// inner tab host with five child pages (identity and password, EAP-FAST, client certificate,
// server certificate, single sign-on). The page decides which child pages and controls the
// method uses, loads itself from the editor's stored settings, resets and validates.
#pragma once
#include "station/CClassicDlg.h"
#include "station/ProfileCodes.h"
#include "station/Dot1XButtons.h"
#include "res/StationPagesResource.h"

#include <vector>

constexpr UINT MSG_EAP_MENU_POPUP = WM_USER + 106;
constexpr UINT MSG_TUNNEL_MENU_POPUP = WM_USER + 108;

class CTabDialog;
class CPageAuthEncryDlg;
class CPageNamePasswordDlg;
class CPageEAPFastDlg;
class CPageClientCertificationDlg;
class CPageServerCertificationDlg;
class CPageProfileSSODlg;

// What an editor keeps of a profile's 802.1X settings: the record and the fields after it.
struct Dot1XStoredSettings {
    StringRecord7 eap;  // inner methods as EAP type numbers
    ULONG nServerNameRule = 0;
    VN_BLOB_KEY caCert = {};
    VN_BLOB_KEY userCert = {};
    ULONG nSmartCard = 0;    // the client certificate comes from a smart card
    ULONG nIDModeIndex = 0;  // 0 user identity, 1 machine identity
    ULONG bCacheUserInfo = 1;
    std::vector<PAC_ENTRY> pacList;
};

// What the page needs of the editor that hosts it.
class C8021XPageHost {
public:
    virtual ~C8021XPageHost() = default;
    // The settings the page loads from; null when the editor has none.
    virtual const Dot1XStoredSettings* GetStored8021XSettings() = 0;
    // The editor's authentication page; null when there is none.
    virtual CPageAuthEncryDlg* GetAuthPage() = 0;
    // The profile editor's profile name (system-configuration page); empty elsewhere.
    virtual CString GetProfileName() = 0;
};

class CPage8021XDlg : public CClassicDlg {
public:
    enum { IDD = IDD_PAGE_8021X };
    // The child pages in the order of their tab buttons.
    enum Tab { kTabIdentity = 0, kTabEapFast, kTabClientCert, kTabServerCert, kTabSso, kTabCount };

    explicit CPage8021XDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}
    ~CPage8021XDlg() override;

    void SetHost(C8021XPageHost* pHost) { m_pHost = pHost; }

    // Back to the defaults of a new profile.
    void ResetToDefaults();
    // Loads the page from the profile its editor just read (the host's stored settings).
    void LoadSettings();
    void LoadSettings(const Dot1XStoredSettings& stored);
    // TRUE when the entries may be saved; otherwise one message was shown.
    BOOL ValidateSettings();
    // Shows the tabs the method uses and selects the first one.
    void SelectEapMethod(int method);
    // Shows the tabs the method uses; false when no tab is to be selected after it.
    bool ArrangeTabs(int method);
    // Replays the handlers of a stored choice; an unknown method does nothing.
    void ApplyStoredMethod(int method);
    // Re-reads the EAP-FAST page's provisioning tunnel from its button's caption.
    void SyncProvisioningTunnel();
    // Moves the client-certificate, server-certificate and EAP-FAST tabs for the method.
    void LayoutEapFastTabs(int method);
    // A click of a child page's tab button: that page comes to the front.
    void ClickTab(int tab);
    void EnableTab(int tab, BOOL bEnable);
    void ShowTab(int tab, BOOL bShow);
    // Puts a tab button into slot 1 to 5 and shows it.
    void PlaceTab(int tab, int slot);
    // Slot 1 to 5 in the inner tab host's coordinates.
    CRect SlotRect(int slot);
    CShadeButtonST* GetTabButton(int tab) const { return tab >= 0 && tab < kTabCount ? m_pTabButtons[tab] : nullptr; }
    CTabDialog* GetTabHost() const { return m_pTabHost; }
    void FillControls() { UpdateData(FALSE); }

    // The menu commands, also called directly by the wizard and by ApplyStoredMethod.
    void OnEapPeap();
    void OnEapTls();
    void OnEapTtls();
    void OnEapFast();
    void OnEapMd5();
    void OnEapLeap();
    void OnPeapTunnelMschapV2();
    void OnPeapTunnelTls();
    void OnPeapTunnelGtc();
    void OnTtlsTunnelChap();
    void OnTtlsTunnelMsChap();
    void OnTtlsTunnelMsChapV2();
    void OnTtlsTunnelPap();
    void OnTtlsTunnelEapMd5();

    int m_bLoading = 0;  // 1 while its editor loads a stored profile into it
    int bInProfileEditor = 0;
    int nEapMethod = EAPMETHOD_PEAP;
    int nPeapTunnel = 0;  // 0 EAP-MSCHAP v2, 1 EAP-TLS / Smart Card, 2 Generic Token Card
    int nTtlsTunnel = 0;  // 0 CHAP, 1 MS-CHAP, 2 MS-CHAP-V2, 3 PAP, 4 EAP-MD5
    int bSessionResumption = 1;
    int bAllowMd5 = 0;

    CPageNamePasswordDlg* m_pPageNamePassword = nullptr;
    CPageEAPFastDlg* m_pPageEAPFast = nullptr;
    CPageClientCertificationDlg* m_pPageClientCert = nullptr;
    CPageServerCertificationDlg* m_pPageServerCert = nullptr;
    CPageProfileSSODlg* m_pPageSSO = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    void OnSessionResumption();
    LRESULT OnEapMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnTunnelMenuPopup(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateChildPages();
    void SetEapCaption(int method);
    void SetTunnelMenu(bool ttls);
    void DisableTunnelButton();
    void SetPeapInner(int inner);
    void SetTtlsInner(int inner);
    void AfterPeapInner();
    void ClientCertForInner();
    void ResetIdentityMode();
    void ApplyPasswordIdentityRules();
    bool IdentityModeIsUser();
    bool NoEapHost();
    BOOL ValidateClassic();
    BOOL ValidateEapHost();
    bool CheckUserName();
    bool CheckPassword();
    bool CheckCertificate();
    bool CheckServer(bool eapHost);
    // After a replay of the method (which picks the first certificate again): the certificate
    // chosen before it, else the one the library stores with the profile.
    void RestoreClientCert(const VN_BLOB_KEY& chosen);

    C8021XPageHost* m_pHost = nullptr;
    CTabDialog* m_pTabHost = nullptr;
    CShadeButtonST* m_pTabButtons[kTabCount] = {};
    CMenuButtonST m_btnEapMethod;
    CMenuButtonST m_btnTunnel;
    CButtonST m_btnResume;
    DmMenuTexts m_peapTexts;
    DmMenuTexts m_ttlsTexts;
};
