// Menus. A CMenu owns its HMENU unless it came from FromHandle or was detached.
#pragma once
#include "framework/CObject.h"
#include "framework/CString.h"
#include <windows.h>

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() override { DestroyMenu(); }

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU hMenu);
    BOOL Attach(HMENU hMenu) { if (m_hMenu) return FALSE; m_hMenu = hMenu; return hMenu != nullptr; }
    HMENU Detach() { HMENU h = m_hMenu; m_hMenu = nullptr; return h; }

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT nIDResource);  // from the resource module, then the program
    BOOL DestroyMenu() { if (!m_hMenu) return FALSE; BOOL ok = ::DestroyMenu(m_hMenu); m_hMenu = nullptr; return ok; }

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) { return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem); }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) { return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr) { return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem); }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
    int GetMenuString(UINT nIDItem, CString& text, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA info, BOOL fByPos = FALSE) const { return ::GetMenuItemInfoA(m_hMenu, uItem, fByPos, info); }
    BOOL SetMenuItemInfo(UINT uItem, LPCMENUITEMINFOA info, BOOL fByPos = FALSE) { return ::SetMenuItemInfoA(m_hMenu, uItem, fByPos, info); }
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* = nullptr);
};
