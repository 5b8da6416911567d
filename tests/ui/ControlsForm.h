// The form of custom controls the control tests drive: a modeless dialog that records the
// commands and private messages it receives.
#pragma once
#include "framework/Afx.h"
#include "ui/UiControls.h"

#include <vector>

namespace testing_support {

constexpr UINT WM_TEST_MENU_CALLBACK = WM_APP + 40;

class ControlsForm : public CDialog {
public:
    ControlsForm() : CDialog(IDD_TEST_CONTROLS) {}

    // Created hidden, or shown topmost at a place of its own (for the mouse tests).
    BOOL Open(bool bShown = false);

    // Sends the click notification a button gives its parent.
    void Click(UINT nID) { SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, nID))); }

    std::vector<WPARAM> m_commands;        // WM_COMMAND with no control: menus
    std::vector<UINT> m_clicks;            // BN_CLICKED by control id
    std::vector<WPARAM> m_callbackParams;  // WM_TEST_MENU_CALLBACK

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace testing_support
