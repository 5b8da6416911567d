// Soft-AP library variant: the security dialog. It edits a copy of the configuration page's
// security block (taken from the page when it starts and whenever the page reloads, handed back
// on OK); only the configuration page writes it to the library.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"
#include "ui/CSmartEdit.h"

class CConfigPage;

class CAuthSecuDlg : public CClassicDlg {
    DECLARE_DYNCREATE(CAuthSecuDlg)
public:
    enum { IDD = IDD_AP_SECURITY };
    enum : ULONG { kAuthOpen = 0, kAuthShared = 1, kAuthWpa = 3, kAuthWpaPsk = 4, kAuthWpa2Psk = 7, kAuthWpaWpa2Psk = 9 };
    enum : ULONG { kEncryWep = 0, kEncryNone = 1, kEncryTkip = 4, kEncryAes = 6, kEncryBoth = 8 };
    static constexpr ULONG kRekeyMin = 3, kRekeyMax = 67108863;

    CAuthSecuDlg();
    ~CAuthSecuDlg() override;

    // The live dialog of the access-point page set (the last one built), or null.
    static CAuthSecuDlg* Find();
    // Takes the page's block; a dialog with a window shows it at once.
    void TakeBlockFrom(const CConfigPage& page);
    static void ReloadFrom(const CConfigPage& page);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void OnSelchangeAuthMode();
    void OnSelchangeEncryption();
    void OnOK() override;
    // OK's checks and the copy back into the configuration page; FALSE when refused.
    BOOL ValidateAndCopyBack();
    void OnCancel() override;

    // WEP (and with it Shared authentication) or TKIP not allowed on an 802.11n adapter.
    static BOOL IsWepBarred();
    static BOOL IsTkipBarred();

    CConfigPage* m_pConfigPage = nullptr;  // null: the live configuration page
    AP_CONFIG_DATA m_Block{};              // only the security block is used
    ULONG m_nAuthMode = kAuthOpen;
    ULONG m_nEncryption = kEncryNone;
    CString m_strPsk;
    CString m_strGroupRekey;
    ULONG m_nGroupRekeyMethod = 0;  // 0 seconds (x10), 1 thousands of packets
    DWORD m_ulRadiusServer = 0;
    int m_nRadiusPort = 0;
    CString m_strRadiusKey;
    int m_nDefaultKey = 0;
    int m_nKeyType[4] = {};  // 0 hexadecimal, 1 ASCII
    CString m_strKey[4];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeKeyTypeRange(UINT nID);
    void OnDefaultKeyRange(UINT nID);
    void OnRekeyUnit();
    void OnShowPassword();

private:
    CConfigPage* Page() const;
    void LoadFromBlock();
    void FillEncryptionCombo();
    void ApplyKeyFormat(int key);
    void EnableForCodes();
    BOOL CheckGroupRekey();
    BOOL CheckKeys();
    void ShowApMessage(const CString& text);
    void Enable(int id, BOOL enable);
    void ShowConfigPage();

    CComboBox m_comboAuth, m_comboEncry, m_comboKeyType[4];
    CSmartEdit m_editKey[4];
    DECLARE_MESSAGE_MAP()
};
