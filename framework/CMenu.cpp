#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <map>
#include <memory>

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {
struct TemporaryMenu : CMenu {
    ~TemporaryMenu() override { m_hMenu = nullptr; }
};
thread_local std::map<HMENU, std::unique_ptr<TemporaryMenu>> t_menus;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu) return nullptr;
    auto& slot = t_menus[hMenu];
    if (!slot) {
        if (t_menus.size() > 256) {
            for (auto it = t_menus.begin(); it != t_menus.end();)
                it = (it->first != hMenu && !::IsMenu(it->first)) ? t_menus.erase(it) : std::next(it);
        }
        slot = std::make_unique<TemporaryMenu>();
        slot->m_hMenu = hMenu;
    }
    return slot.get();
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    HMENU h = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (!h) h = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource));
    return Attach(h);
}

int CMenu::GetMenuString(UINT nIDItem, CString& text, UINT nFlags) const
{
    int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0) { text.Empty(); return 0; }
    ::GetMenuStringA(m_hMenu, nIDItem, text.GetBufferSetLength(n + 1), n + 1, nFlags);
    text.ReleaseBuffer();
    return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* r)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, r);
}
