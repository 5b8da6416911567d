// Sets up an immediate Block-Ack agreement with one peer for one TID, as originator or recipient.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/ComboBoxSuper.h"
#include "ui/CSmartEdit.h"
#include "res/resource.h"

class CAddBlockAckDlg : public CClassicDlg {
public:
    enum { IDD = IDD_ADD_BLOCKACK };
    explicit CAddBlockAckDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    UCHAR m_PeerMac[6] = {};
    int m_nTID = 0;
    int m_nWindowSize = kDefaultWindowSize;
    ULONG m_bOriginator = 0;  // 1: as originator; set by the main window before it shows the dialog

    static constexpr int kDefaultWindowSize = 32;
    static constexpr int kMinWindowSize = 1;
    static constexpr int kMaxWindowSize = 64;  // the largest Block-Ack window of 802.11n

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnConfirm();
    void OnBtnCancel();
    DECLARE_MESSAGE_MAP()

private:
    CSmartEdit m_editWindowSize;
    CListCtrl m_list;
    CComboBoxSuper m_comboTid;
    CShadeButtonST m_btnConfirm;
    CShadeButtonST m_btnCancel;
};
