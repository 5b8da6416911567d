// An OK-only message window in the utility's own style.
#pragma once
#include "ui/ResizeDlg.h"
#include "res/resource.h"

class CMessageBoxDlg : public CResizeDlg {
public:
    enum { IDD = IDD_MESSAGE_BOX };
    explicit CMessageBoxDlg(CWnd* pParent = nullptr) : CResizeDlg(IDD, pParent) {}

    CString m_strMessage;  // set by the owner before each run

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
