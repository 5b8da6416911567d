// The EAP-FAST child page of the 802.1X page: automatic provisioning and its tunnel, whether a
// protected access credential (PAC) is used, and the list of PAC files the profile may use.
#pragma once
#include "station/Dot1XChildPage.h"
#include "ui/ButtonST.h"
#include "ui/CQuickList.h"
#include "res/StationPagesResource.h"

#include <commdlg.h>
#include <vector>

class CPageEAPFastDlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_EAP_FAST };
    static constexpr int kMaxImport = 50;   // an import is refused from this many entries on
    static constexpr int kMaxScanned = 51;  // the folder scan stops after this many

    struct PacEntry {
        int bSelected = 0;
        CString strFileName;
        CString strFilePath;
    };

    explicit CPageEAPFastDlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}

    // The file-open dialog; a test puts its own answer here.
    static BOOL(WINAPI* s_pfnGetOpenFileName)(LPOPENFILENAMEA);

    // Rebuilds the PAC list from the "*.pac" files of the current directory.
    void ScanPacFolder();
    void UpdatePacListCount();
    // Replays the provisioning-tunnel command of nProvisioningTunnel.
    void ApplyMode();
    void OnProvisionMschapV2();
    void OnProvisionTls();
    void OnProvisionGtc();
    void OnAllowProvision();
    void OnUsePac();
    void OnImportPACFile();
    void OnRemovePACFile();
    // Toggles the focused row's selection (the list's double-click).
    void ToggleFocusedRow();
    CString GetProvisioningCaption() const;
    CQuickList& List() { return m_list; }
    void FillControls() { UpdateData(FALSE); }

    int nProvisioningTunnel = 0;  // 0 EAP-MSCHAP v2, 1 EAP-TLS / Smart Card, 2 Generic Token Card
    int bUsePac = 1;
    int bAllowProvision = 0;
    CString strPacFilePath;
    std::vector<PacEntry> m_pacList;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetProvisioning(int index);
    void TunnelFromCaption();
    CButtonST m_btnTunnel;
    CQuickList m_list;
};
