// The EAP-FAST child page of the 802.1X page: automatic provisioning and its tunnel, whether a
// protected access credential (PAC) is used, and the list of PAC files the profile may use.
#pragma once
#include "station/Dot1XChildPage.h"
#include "station/Dot1XButtons.h"
#include "station/ProfileCodes.h"
#include "ui/CQuickList.h"
#include "res/StationPagesResource.h"

#include <commdlg.h>
#include <vector>

class CPageEAPFastDlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_EAP_FAST };
    // The most entries the list holds: what the library stores with a profile. The folder scan
    // stops there and an import is refused from there on.
    static constexpr int kMaxEntries = kPacListMax;

    struct PacEntry {
        int bSelected = 0;
        CString strFileName;
        CString strFilePath;
    };

    explicit CPageEAPFastDlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}

    // The file-open dialog; a test puts its own answer here.
    static BOOL(WINAPI* s_pfnGetOpenFileName)(LPOPENFILENAMEA);

    // Rebuilds the PAC list from the "*.pac" files of the current directory, the PAC folder.
    void ScanPacFolder();
    // A profile's stored list in place of the folder's.
    void TakePacList(std::vector<PacEntry> entries);
    // The folder held more PAC files than the list keeps (the page says so under the list).
    bool FolderOverLimit() const { return m_bFolderOverLimit; }
    // The PAC folder with its closing backslash: the folder last scanned, else the current one.
    CString PacFolder() const;
    void UpdatePacListCount();
    // Replays the provisioning-tunnel command of nProvisioningTunnel.
    void ApplyMode();
    void OnProvisionMschapV2();
    void OnProvisionTls();
    void OnProvisionGtc();
    void OnAllowProvision();
    void OnUsePac();
    void OnImportPACFile();
    // Deletes the focused entry's file after the user confirms, when it lies in the PAC folder;
    // an entry from elsewhere only leaves the list.
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
    void OnTunnelClicked();
    bool InPacFolder(const CString& path) const;
    void ShowOverLimitNote();
    CMenuButtonST m_btnTunnel;
    CButtonST m_btnAllow;
    CButtonST m_btnUsePac;
    CShadeButtonST m_btnImport;
    CShadeButtonST m_btnRemove;
    CQuickList m_list;
    CString m_strPacFolder;  // the folder of the last scan
    bool m_bFolderOverLimit = false;
};
