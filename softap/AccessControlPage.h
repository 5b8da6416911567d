// Soft-AP library variant: the access-control page. A policy (off, only the listed stations may
// join, the listed stations may not) and up to 32 station addresses; APPLY writes both to the
// library and activates them.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"
#include "ui/CSmartEdit.h"

class CAccessControlPage : public CClassicDlg {
    DECLARE_DYNCREATE(CAccessControlPage)
public:
    enum { IDD = IDD_AP_ACCESS_CONTROL };

    CAccessControlPage();

    int LoadConfig();
    void OnAdd();
    void OnDelete();
    void OnRemoveAll();
    void OnModify();
    void OnModifyCancel();
    // 1 after writing; 0 when the message about an empty list could not be shown.
    int WriteConfigToRegistryAndSetOid();
    void EnableListControls(BOOL enable);

    int m_nPolicy = AP_ACL_POLICY_DISABLE;
    CString m_strMac;
    CString m_strModify;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangePolicy();
    void OnDblclkList();
    void OnApply() { WriteConfigToRegistryAndSetOid(); }
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}

private:
    // The first failing check's message, empty when the address may be listed. skipRow is left
    // out of the duplicate test (the row being modified).
    CString CheckAddress(const CString& text, bool add, int skipRow);
    static CString Dashed(const CString& twelve);
    void EndModify();
    void ShowApMessage(const CString& text);
    void Enable(int id, BOOL enable);

    CComboBox m_comboPolicy;
    CListBox m_list;
    CSmartEdit m_editMac, m_editModify;
    int m_nModifyRow = -1;
    DECLARE_MESSAGE_MAP()
};
