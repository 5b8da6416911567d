// A dialog holding each of the owner-drawn menus and buttons, the shaded tab buttons, a tab
// dialog and a page container with a back stack. "--menu" opens the button menu after a
// moment, so that a screenshot shows it.
#include "framework/Afx.h"
#include "res/resource.h"
#include "ui/ButtonST.h"
#include "ui/DialogTab.h"
#include "ui/FloatButton.h"
#include "ui/ShadeButtonST.h"
#include "ui/TabDialog.h"
#include "ui/UiControls.h"

#include <cstdlib>
#include <memory>

namespace {
constexpr UINT kSkinCancelHover = 1020;
constexpr UINT kSkinCancelNormal = 1021;
constexpr UINT_PTR kOpenMenuTimer = 1;
constexpr UINT kOpenMenuDelayMs = 1500;
constexpr unsigned kShadeSeed = 2008;
constexpr int kTabs = 3;
constexpr int kContainerPages = 3;
const char* const kTabNames[kTabs] = {"General", "Security", "Advanced"};

class CDemoPage : public CDialog {
    DECLARE_DYNCREATE(CDemoPage)
public:
    CDemoPage() : CDialog(IDD_TEST_PAGE) {}
};
IMPLEMENT_DYNCREATE(CDemoPage, CDialog)

class CDemoTabDialog : public CTabDialog {
public:
    CDemoTabDialog() : CTabDialog(IDD_TEST_TAB_HOST) {}

    BOOL Build(CWnd* pParent, const CRect& area)
    {
        if (!Create(IDD_TEST_TAB_HOST, pParent)) return FALSE;
        MoveWindow(&area);
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_TEST_FORWARDED), SW_HIDE);
        const UINT ids[kTabs] = {IDC_TEST_TAB_1, IDC_TEST_TAB_2, IDC_TEST_TAB_3};
        for (int i = 0; i < kTabs; ++i) {
            m_pages[i] = std::make_unique<CDialog>(IDD_TEST_PAGE);
            m_pages[i]->Create(IDD_TEST_PAGE, this);
            CString text;
            text.Format("Page of the tab \"%s\"", kTabNames[i]);
            m_pages[i]->SetDlgItemText(IDC_TEST_PAGE_TEXT, text);
            m_buttons[i] = std::make_unique<CShadeButtonST>();
            m_buttons[i]->Create(kTabNames[i], WS_VISIBLE | BS_PUSHBUTTON, CRect(4 + 92 * i, 2, 92 + 92 * i, 24), this, ids[i]);
            m_buttons[i]->SetFont(GetFont());
            m_buttons[i]->SetShade(CShadeButtonST::SHS_VBUMP, 8, 40, 5, 0, RGB(0xB4, 0xB4, 0xB4), RGB(0, 255, 0));
            m_buttons[i]->SetFlat(FALSE);
            m_buttons[i]->SetContentAlign(CButtonST::ST_ALIGN_VERT);
            AddPage(m_pages[i].get(), m_buttons[i].get());
        }
        PlacePages(4, 26, area.Width() - 4, area.Height() - 2, 0, 0, 0);
        return TRUE;
    }

private:
    std::unique_ptr<CDialog> m_pages[kTabs];
    std::unique_ptr<CShadeButtonST> m_buttons[kTabs];
};

class CControlsDemoDlg : public CDialog {
public:
    explicit CControlsDemoDlg(bool openMenu) : CDialog(IDD_TEST_CONTROLS), m_bOpenMenu(openMenu) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowText("Controls, part one");
        m_hSkin = ::LoadLibraryA("KelvoIMG.dll");
        srand(kShadeSeed);

        m_push.SubclassDlgItem(IDC_TEST_PUSH, this);
        m_push.SetFlat(FALSE);
        m_push.SetIcon(IDI_TRAY_LINKED, 16, 16, 0, 0, 0);
        m_push.SetTooltipText("A push button with an icon");

        m_flat.SubclassDlgItem(IDC_TEST_FLAT, this);
        m_flat.SetButtonColor(CButtonST::BTNST_COLOR_BK_IN, RGB(255, 240, 200));
        m_flat.SetTooltipText("A flat button: its border shows while the mouse is over it");

        m_check.SubclassDlgItem(IDC_TEST_CHECK_ST, this);
        m_check.SetFlat(FALSE);
        m_check.SetCheck(1);

        const UINT radios[] = {IDC_TEST_RADIO_A, IDC_TEST_RADIO_B, IDC_TEST_RADIO_C, IDC_TEST_RADIO_OTHER};
        for (int i = 0; i < 4; ++i) {
            m_radios[i].SubclassDlgItem(radios[i], this);
            m_radios[i].SetFlat(FALSE);
        }
        m_radios[1].SetCheck(1);
        m_radios[3].SetCheck(1);

        m_menuButton.SubclassDlgItem(IDC_TEST_MENU_BUTTON, this);
        m_menuButton.SetFlat(FALSE);
        DmMenuTexts texts;
        texts.SetAt(ID_TEST_BETA, "&Beta (checked)");
        m_menuButton.SetMenu(IDR_TEST_MENU, m_hWnd, FALSE, IDR_TEST_TOOLBAR, texts, 16, 16, RGB(255, 0, 255));

        m_icon.SubclassDlgItem(IDC_TEST_ICON, this);
        m_icon.SetIcon(IDI_MESSAGE_INFO, 16, 16, CButtonST::BTNST_AUTO_GRAY, 0, 0);

        m_float.SubclassDlgItem(IDC_TEST_FLOAT, this);
        m_float.LoadBitmaps(kSkinCancelHover, kSkinCancelNormal, m_hSkin);

        m_shade.SubclassDlgItem(IDC_TEST_SHADE, this);
        m_shade.SetFlat(FALSE);
        m_shade.SetShade(CShadeButtonST::SHS_VGRADIENT, 8, 10, 0, 0, 0, 0);

        CRect tabArea = ItemRect(IDC_TEST_TAB_AREA);
        m_tabs.Build(this, tabArea);

        m_back.SubclassDlgItem(IDC_TEST_BACK, this);
        m_next.SubclassDlgItem(IDC_TEST_NEXT, this);
        for (CShadeButtonST* button : {&m_back, &m_next}) {
            button->SetFlat(FALSE);
            button->SetShade(CShadeButtonST::SHS_VGRADIENT, 8, 10, 0, 0, 0, 0);
        }
        CRect pageArea = ItemRect(IDC_TEST_PAGE_AREA);
        m_container.SetHostWindow(this);
        m_container.SetPageRect(pageArea.left, pageArea.top, pageArea.right, pageArea.bottom);
        for (int i = 0; i < kContainerPages; ++i) {
            m_container.RegisterPage(&m_containerPages[i], IDD_TEST_PAGE, RUNTIME_CLASS(CDemoPage));
            if (!m_containerPages[i]) continue;
            CString text;
            text.Format("Container page %d of %d", i + 1, kContainerPages);
            m_containerPages[i]->SetDlgItemText(IDC_TEST_PAGE_TEXT, text);
        }
        m_container.ShowPage(m_containerPages[0]);
        ShowCaption();
        CenterWindow();
        if (m_bOpenMenu) SetTimer(kOpenMenuTimer, kOpenMenuDelayMs);
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam == 0 && LOWORD(wParam) >= ID_TEST_ALPHA && LOWORD(wParam) <= ID_TEST_NOT_IN_MENU) {
            m_nLastCommand = LOWORD(wParam);
            ShowCaption();
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_TEST_NEXT) {
            if (m_nCurrent + 1 < kContainerPages) {
                m_container.PushPageHistory(m_containerPages[m_nCurrent]);
                m_container.ShowPage(m_containerPages[++m_nCurrent]);
            }
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_TEST_BACK) {
            if (CDialog* previous = m_container.PopPageHistory()) {
                m_container.ShowPage(previous);
                for (int i = 0; i < kContainerPages; ++i)
                    if (m_containerPages[i] == previous) m_nCurrent = i;
            }
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kOpenMenuTimer) {
            KillTimer(kOpenMenuTimer);
            SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_MENU_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(m_menuButton.m_hWnd));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    CRect ItemRect(int id) const
    {
        CRect r;
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), &r);
        ScreenToClient(&r);
        return r;
    }

    void ShowCaption()
    {
        CString text = "Menu: nothing chosen";
        if (m_nLastCommand) text.Format("Menu: command %u chosen", m_nLastCommand);
        SetDlgItemText(IDC_TEST_CAPTION, text);
    }

    bool m_bOpenMenu;
    HMODULE m_hSkin = nullptr;
    UINT m_nLastCommand = 0;
    CButtonST m_push, m_flat, m_check, m_menuButton, m_icon;
    CButtonST m_radios[4];
    CFloatButton m_float;
    CShadeButtonST m_shade, m_back, m_next;
    CDemoTabDialog m_tabs;
    CDialogTab m_container;
    CDialog* m_containerPages[kContainerPages] = {};
    int m_nCurrent = 0;
};

class CControlsDemoApp : public CWinApp {
public:
    CControlsDemoApp() : CWinApp("ControlsDemoA") {}

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        CControlsDemoDlg dlg(CString(m_lpCmdLine).Find("--menu") >= 0);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CControlsDemoApp theApp;
}  // namespace
