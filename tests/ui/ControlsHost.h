// A dialog holding the statics, edits and small controls of the tests (template
// IDD_UI_CONTROLS_FORM); each test binds the controls it needs.
#pragma once
#include "framework/Afx.h"
#include "UiControlsTest.h"

#include <string>

class ControlsHost : public CDialog {
public:
    ControlsHost() : CDialog(IDD_UI_CONTROLS_FORM) {}
    ~ControlsHost() override
    {
        if (m_hWnd) DestroyWindow();
    }
    // Creates the dialog, shows it and binds pControl (when given) to control id.
    bool Open(CWnd* pControl = nullptr, UINT id = 0)
    {
        if (!Create(IDD_UI_CONTROLS_FORM)) return false;
        ShowWindow(SW_SHOW);
        return !pControl || Bind(*pControl, id);
    }
    bool Bind(CWnd& control, UINT id) { return control.SubclassDlgItem(id, this) != FALSE; }
    // A control's rectangle in this dialog's client coordinates.
    CRect RectOf(UINT id) const
    {
        CRect r;
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

inline LOGFONTA FontOf(CWnd& wnd)
{
    LOGFONTA lf{};
    wnd.GetFont()->GetLogFont(&lf);
    return lf;
}

// The text a tooltip holds for the whole-window tool of a control.
inline std::string ToolTipText(CToolTipCtrl& tip, HWND tool)
{
    char text[256] = "";
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = tool;
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text;
    tip.SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    return text;
}
