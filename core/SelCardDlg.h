// The adapter chooser: lets the user pick the adapter the utility will manage.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/resource.h"
#include "ui/ComboBoxSuper.h"

class CSelCardDlg : public CDialog {
public:
    enum { IDD = IDD_SELECT_CARD };
    static constexpr int kColumnWidth = 200;

    explicit CSelCardDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    // The caller's list (borrowed, never changed): count entries of 1300 bytes.
    void SetAdapterList(const ADAPTER_ENTRY* entries, int count);
    // The entry the user chose; always an index of the list (0 unless OK stored another).
    int m_nSelectedIndex = 0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnSelChangeAdapter();
    DECLARE_MESSAGE_MAP()

private:
    void ShowEntryTexts(int index);

    const ADAPTER_ENTRY* m_pEntries = nullptr;
    int m_nCount = 0;
    CComboBoxSuper m_cbAdapter;
    CString m_strName;
    CString m_strDeviceId;
    CString m_strText3;
    CString m_strText4;
};
