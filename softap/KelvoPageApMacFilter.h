// Access point, soft-AP library variant: the MAC filter page. A front over the classic
// access-control page: it shows that page's policy and its first sixteen addresses, and SAVE
// writes them back through the classic page's own add and apply.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "ui/CDpiEdit.h"
#include "ui/CTransparentStatic.h"
#include "ui/FloatButton.h"

#include <vector>

class CAccessControlPage;

class CKelvoPageApMacFilter : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApMacFilter)
public:
    enum { IDD = IDD_KELVO_AP_MAC_FILTER };
    static constexpr int kEdits = 16;

    CKelvoPageApMacFilter() : CDialog(IDD) {}

    // Empty, or six pairs of hexadecimal digits (either case) joined by ":".
    static bool IsValidMacText(const CString& text);

    void LoadFromClassicPage();
    // The first edit that is neither empty nor a valid address (0-based), -1 when all pass.
    int ValidateMacEdits();
    void StoreToClassicPage();
    // SAVE: TRUE when the edits passed and were handed to the classic page.
    BOOL Save();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnBtnSave() { Save(); }
    void OnBtnCancel() { LoadFromClassicPage(); }
    DECLARE_MESSAGE_MAP()

private:
    CAccessControlPage* ClassicPage() const;
    static std::vector<CString> ClassicList(CAccessControlPage& page);

    CTransparentStatic m_title, m_typeLabel, m_addressLabel, m_row[kEdits];
    CDpiEdit m_edit[kEdits];
    CFloatButton m_btnSave, m_btnCancel;
};
