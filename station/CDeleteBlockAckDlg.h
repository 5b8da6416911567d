// Tears down the Block-Ack agreement of one TID, or of all TIDs, with one peer.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/ComboBoxSuper.h"
#include "res/resource.h"

class CDeleteBlockAckDlg : public CClassicDlg {
public:
    enum { IDD = IDD_DELETE_BLOCKACK };
    explicit CDeleteBlockAckDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // Set by the main window before it shows the dialog.
    ULONG m_bOriginator = 0;  // 1: as originator, 0: as recipient
    ULONG m_bAllTids = 0;     // 1: every TID of the peer
    ULONG m_bTidChoice = 0;   // 1: the TID combo and its label are shown
    // The variant numbers of the main window's request (1 to 4); others leave the flags.
    void SetVariant(LPARAM variant);

    UCHAR m_PeerMac[6] = {};
    int m_nTID = 0;

    // The request's OIDs: operating-system code 10 and above, and below.
    static constexpr ULONG OID_BA_DELETE_VISTA = 0xFF8C0027;
    static constexpr ULONG OID_BA_DELETE_XP = 0x0DF1013A;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnConfirm();
    void OnBtnCancel();
    DECLARE_MESSAGE_MAP()

private:
    CListCtrl m_list;
    CComboBoxSuper m_comboTid;
    CShadeButtonST m_btnConfirm;
    CShadeButtonST m_btnCancel;
};
