// The adapter settings page: the power-saving mode, WMM QoS and the start of WPS by one of
// three methods, each of which runs its own modal dialog.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "ui/CTransparentStatic.h"
#include "skin/SkinnedPage.h"
#include "ui/FloatButton.h"

class CKelvoPageWpsPBCDlg;
class CKelvoPageWpsPinDeviceDlg;
class CKelvoPageWpsPinApDlg;

// The power-saving mode as the rest of the program sees it (see CKelvoPageAdapterDlg::PowerSaveMirror).
extern int G_nPowerSaveMode;

class CKelvoPageAdapterDlg : public CSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageAdapterDlg)
public:
    enum { IDD = IDD_KELVO_ADAPTER };
    // The power-saving code: bits 21 to 31 of TRANSMIT_SETTING, above LEGACYMODE.
    static constexpr WordField kPowerSaveField{21, 11, "PowerSave"};
    static constexpr int kPowerSaveCodes = 3;  // 0, 1, 2
    // Words of the WMM capability record.
    enum WmmWord { kWmmFirst = 0, kWmmEnable = 1, kWmmPowerSave = 2, kAcBe = 3, kAcBk = 4, kAcVi = 5, kAcVo = 6,
                   kWmmLast = 7, kWmmWords = 8 };
    // The per-AC power-save flags this page keeps on the adapter.
    static constexpr ULONG kAcFlags[4] = {0, 1, 0, 0};
    static constexpr UINT kSaveNormalId = 1039, kSaveHoverId = 1038;

    CKelvoPageAdapterDlg();
    ~CKelvoPageAdapterDlg() override;

    // The mirror of a stored code: below OS code 10 the code itself (above 2 taken as 0), from
    // 10 on 1 for 1 and 0 otherwise.
    static int PowerSaveMirror(ULONG storedCode, int osCode);

    // The save button's work.
    void ApplyPowerSave();
    void ApplyWmm();

    ADVANCE_CONFIG_DATA m_AdvanceConfig{};
    ULONG m_WmmCapability[kWmmWords] = {};
    int m_bPowerSaveChanged = 0;

    CKelvoPageWpsPBCDlg* m_pWpsPBCDlg = nullptr;
    CKelvoPageWpsPinDeviceDlg* m_pWpsPinDeviceDlg = nullptr;
    CKelvoPageWpsPinApDlg* m_pWpsPinApDlg = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}  // a page never ends on Enter or Esc
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnWpsCheck();
    void OnWpsPushButton();
    void OnWpsPinDevice();
    void OnWpsPinAp();
    void OnSave();
    DECLARE_MESSAGE_MAP()

private:
    // The combo entry that shows a stored code: its own entry when the combo offers it, else the first.
    int ShownPowerSaveIndex(ULONG storedCode) const;
    ULONG StoredPowerSave() const { return GetBits(m_AdvanceConfig.TransmitSetting, kPowerSaveField); }
    void EnableWpsRadios();
    void DisableForNonAdministrator();
    void ReconnectEncryptedLink();
    void EndWpsDialogs();

    CTransparentStatic m_title, m_labelPsm;
    CComboBox m_comboPsm;
    CFloatButton m_btnSave;
    CFont m_labelFont;
};
