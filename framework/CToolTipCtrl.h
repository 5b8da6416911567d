// Tooltip controls.
#pragma once
#include "framework/CWnd.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* pParent, DWORD style = 0)
    {
        return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, pParent ? pParent->m_hWnd : nullptr, nullptr);
    }
    // text may be LPSTR_TEXTCALLBACKA; rect null and no tool id mean the whole window of pWnd.
    BOOL AddTool(CWnd* pWnd, LPCSTR text = LPSTR_TEXTCALLBACKA, const RECT* rect = nullptr, UINT_PTR nIDTool = 0)
    {
        TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool, rect);
        ti.lpszText = const_cast<LPSTR>(text);
        return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    }
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0)
    {
        TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool, nullptr);
        SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    void UpdateTipText(LPCSTR text, CWnd* pWnd, UINT_PTR nIDTool = 0)
    {
        TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool, nullptr);
        ti.lpszText = const_cast<LPSTR>(text);
        SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, const RECT* rect)
    {
        TOOLINFOA ti = MakeToolInfo(pWnd, nIDTool, rect);
        SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void SetDelayTime(DWORD duration, int time) { SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(time, 0)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void RelayEvent(MSG* pMsg) { if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg)); }
    void Pop() { SendMessage(TTM_POP); }

private:
    static TOOLINFOA MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool, const RECT* rect)
    {
        TOOLINFOA ti{};
        // The size of comctl32 5.8 (XP without a manifest for version 6), which refuses the larger
        // one of version 6 that newer headers give sizeof; no field past lParam is used.
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = pWnd ? pWnd->m_hWnd : nullptr;
        ti.uFlags = TTF_SUBCLASS;
        if (rect || nIDTool) {
            ti.uId = nIDTool;
            if (rect) ti.rect = *rect;
        } else {
            ti.uFlags |= TTF_IDISHWND;
            ti.uId = reinterpret_cast<UINT_PTR>(ti.hwnd);
        }
        return ti;
    }
};
