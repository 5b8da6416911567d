// What the 802.1X page's child pages share: the page that owns them (their grandparent
// window; kept as a pointer so each reaches it without a cast) and switching their controls.
#pragma once
#include "station/CClassicDlg.h"

class CPage8021XDlg;

class CDot1XChildPage : public CClassicDlg {
public:
    CDot1XChildPage(UINT nIDTemplate, CWnd* pParentWnd) : CClassicDlg(nIDTemplate, pParentWnd) {}
    void SetOwnerPage(CPage8021XDlg* pOwner) { m_pOwner = pOwner; }
    CPage8021XDlg* GetOwnerPage() const { return m_pOwner; }

    void EnableItem(int id, bool bEnable) { ::EnableWindow(::GetDlgItem(m_hWnd, id), bEnable ? TRUE : FALSE); }
    void ShowItem(int id, bool bShow) { ::ShowWindow(::GetDlgItem(m_hWnd, id), bShow ? SW_SHOW : SW_HIDE); }
    void SetItemCheck(int id, bool bChecked) { ::CheckDlgButton(m_hWnd, id, bChecked ? BST_CHECKED : BST_UNCHECKED); }
    bool ItemEnabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(m_hWnd, id)) != FALSE; }
    bool ItemVisible(int id) const { return (::GetWindowLongA(::GetDlgItem(m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0; }

protected:
    // An etched frame round the page, where the other classic pages have a line on top.
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CPage8021XDlg* m_pOwner = nullptr;
};
