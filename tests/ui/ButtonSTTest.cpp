#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "res/resource.h"
#include "support/TestSupport.h"
#include "ui/ButtonST.h"
#include "ui/ControlCanvas.h"
#include "ui/ControlsForm.h"

#include <functional>
#include <string>

using testing_support::ControlCanvas;
using testing_support::ControlsForm;
using testing_support::PrintClient;

namespace {
constexpr COLORREF kInfoBlue = RGB(40, 100, 200);  // the message icon's disc

class ButtonST : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_form.Open(m_shown)); }
    void TearDown() override
    {
        G_bMainWindowClosing = FALSE;
        DmMenu::SetMenuDrawMode(TRUE, FALSE);
        m_form.DestroyWindow();
    }

    CButtonST& Bind(CButtonST& button, UINT nID)
    {
        EXPECT_TRUE(button.SubclassDlgItem(nID, &m_form));
        return button;
    }

    static COLORREF Sys(int index) { return ::GetSysColor(index); }

    bool m_shown = false;
    ControlsForm m_form;
};

class ButtonSTShown : public ButtonST {
protected:
    ButtonSTShown() { m_shown = true; }

    // The mouse over the button, as the window manager reports it.
    static void Hover(CButtonST& button) { button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, 4)); }
};

std::function<void()> g_pendingMenuAction;

void CALLBACK RunPendingMenuAction(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto run = std::move(g_pendingMenuAction);
    g_pendingMenuAction = nullptr;
    if (run) run();
}

// Runs action once the tracking loop of a menu has started on this thread.
void WhileMenuIsOpen(std::function<void()> action)
{
    g_pendingMenuAction = std::move(action);
    ::SetTimer(nullptr, 0, 150, RunPendingMenuAction);
}
}  // namespace

// Setters.

TEST_F(ButtonST, SettersRefuseBadArgumentsAndChangeNothing)
{
    CButtonST button;
    Bind(button, IDC_TEST_PUSH);
    const COLORREF before = button.GetButtonColor(CButtonST::BTNST_COLOR_BK_OUT);
    EXPECT_EQ(CButtonST::BTNST_INVALIDINDEX, button.SetButtonColor(6, RGB(1, 1, 1)));
    EXPECT_EQ(CButtonST::BTNST_INVALIDINDEX, button.ShiftButtonColor(6, 10));
    EXPECT_EQ(CButtonST::BTNST_BADPARAM, button.ShiftButtonColor(CButtonST::BTNST_COLOR_BK_OUT, 256));
    EXPECT_EQ(CButtonST::BTNST_BADPARAM, button.ShiftButtonColor(CButtonST::BTNST_COLOR_BK_OUT, -256));
    EXPECT_EQ(CButtonST::BTNST_INVALIDALIGN, button.SetContentAlign(4));
    EXPECT_EQ(CButtonST::BTNST_INVALIDPRESSEDSTYLE, button.SetPressedStyle(2));
    EXPECT_EQ(before, button.GetButtonColor(CButtonST::BTNST_COLOR_BK_OUT));
    EXPECT_EQ(CButtonST::BTNST_OK, button.SetButtonColor(CButtonST::BTNST_COLOR_FG_FOCUS, RGB(9, 8, 7)));
    EXPECT_EQ(RGB(9, 8, 7), button.GetButtonColor(CButtonST::BTNST_COLOR_FG_FOCUS));
    button.SetDefaultColors();
    EXPECT_EQ(Sys(COLOR_BTNTEXT), button.GetButtonColor(CButtonST::BTNST_COLOR_FG_FOCUS));
}

TEST_F(ButtonST, ShiftKeepsEveryChannelInRange)
{
    CButtonST button;
    Bind(button, IDC_TEST_PUSH);
    button.SetButtonColor(CButtonST::BTNST_COLOR_BK_IN, RGB(250, 230, 200));
    EXPECT_EQ(CButtonST::BTNST_OK, button.ShiftButtonColor(CButtonST::BTNST_COLOR_BK_IN, 40));
    EXPECT_EQ(RGB(255, 235, 205), button.GetButtonColor(CButtonST::BTNST_COLOR_BK_IN));
    button.SetButtonColor(CButtonST::BTNST_COLOR_BK_IN, RGB(30, 100, 10));
    button.ShiftButtonColor(CButtonST::BTNST_COLOR_BK_IN, -40);
    EXPECT_EQ(RGB(20, 90, 0), button.GetButtonColor(CButtonST::BTNST_COLOR_BK_IN));
}

TEST_F(ButtonST, UrlIsCutToItsField)
{
    CButtonST button;
    Bind(button, IDC_TEST_PUSH);
    button.SetURL(std::string(300, 'x').c_str());
    EXPECT_EQ(259u, strlen(button.GetURL()));
    button.SetURL(nullptr);
    EXPECT_STREQ("", button.GetURL());
}

TEST_F(ButtonST, StyleDecidesCheckBoxRadioAndDefaultBehaviour)
{
    CButtonST push, check, radio;
    Bind(push, IDC_TEST_PUSH);
    Bind(check, IDC_TEST_CHECK_ST);
    Bind(radio, IDC_TEST_RADIO_A);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), push.GetStyle() & BS_TYPEMASK);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), check.GetStyle() & BS_TYPEMASK);
    EXPECT_TRUE(radio.SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON);
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
    push.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), push.GetStyle() & BS_TYPEMASK);
    // A push button has no check state of its own.
    push.SetCheck(1);
    EXPECT_EQ(0, push.GetCheck());
    check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(1, check.SendMessage(BM_GETCHECK));
}

// Clicks.

TEST_F(ButtonST, CheckBoxStyleTogglesOnEachClick)
{
    CButtonST check;
    Bind(check, IDC_TEST_CHECK_ST);
    m_form.Click(IDC_TEST_CHECK_ST);
    EXPECT_EQ(1, check.GetCheck());
    m_form.Click(IDC_TEST_CHECK_ST);
    EXPECT_EQ(0, check.GetCheck());
    // The parent still hears every click.
    EXPECT_EQ(2u, m_form.m_clicks.size());
}

TEST_F(ButtonST, RadioClickUnchecksTheOtherRadiosOfItsGroupInBothDirections)
{
    CButtonST a, b, c, other;
    Bind(a, IDC_TEST_RADIO_A);
    Bind(b, IDC_TEST_RADIO_B);
    Bind(c, IDC_TEST_RADIO_C);
    Bind(other, IDC_TEST_RADIO_OTHER);
    a.SetCheck(1);
    c.SetCheck(1);
    other.SetCheck(1);
    m_form.Click(IDC_TEST_RADIO_B);
    EXPECT_EQ(0, a.GetCheck());
    EXPECT_EQ(1, b.GetCheck());
    EXPECT_EQ(0, c.GetCheck());
    EXPECT_EQ(1, other.GetCheck());  // the next group
    m_form.Click(IDC_TEST_RADIO_A);
    EXPECT_EQ(1, a.GetCheck());
    EXPECT_EQ(0, b.GetCheck());
}

TEST_F(ButtonST, DoubleClickActsAsTwoPresses)
{
    CButtonST check;
    Bind(check, IDC_TEST_CHECK_ST);
    const LPARAM at = MAKELPARAM(3, 3);
    check.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    check.PostMessage(WM_LBUTTONUP, 0, at);
    check.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    check.PostMessage(WM_LBUTTONUP, 0, at);
    testing_support::PumpUntil([&] { return m_form.m_clicks.size() >= 2; }, testing_support::kWaitBoundMs);
    EXPECT_EQ(2u, m_form.m_clicks.size());
    EXPECT_EQ(0, check.GetCheck());
}

TEST_F(ButtonSTShown, DisablingMovesTheFocusOnlyWhenTheButtonHadIt)
{
    CButtonST push;
    Bind(push, IDC_TEST_PUSH);
    m_form.GetDlgItem(IDC_TEST_NEXT)->SetFocus();
    push.EnableWindow(FALSE);
    EXPECT_EQ(m_form.GetDlgItem(IDC_TEST_NEXT)->m_hWnd, ::GetFocus());
    push.EnableWindow(TRUE);
    push.SetFocus();
    push.EnableWindow(FALSE);  // the platform drops the focus of a window it disables
    EXPECT_EQ(m_form.GetDlgItem(IDC_TEST_FLAT)->m_hWnd, ::GetFocus());
}

// Drawing.

TEST_F(ButtonST, PressedButtonDrawsSunkenAndMovesItsCaption)
{
    CButtonST push;
    Bind(push, IDC_TEST_PUSH);
    push.SetFlat(FALSE);
    push.SetFocus();
    auto plain = PrintClient(push);
    const int r = plain->Width() - 1, b = plain->Height() - 1;
    // Focused: a black frame around the raised 3D border.
    EXPECT_EQ(RGB(0, 0, 0), plain->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), plain->Pixel(1, 1));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), plain->Pixel(r - 1, b - 1));
    push.SendMessage(BM_SETSTATE, TRUE);
    auto pressed = PrintClient(push);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), pressed->Pixel(1, 1));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), pressed->Pixel(r - 1, b - 1));
    // The caption moved one pixel down and right.
    const COLORREF text = Sys(COLOR_BTNTEXT);
    RECT inner{3, 3, r - 3, b - 3};
    EXPECT_GT(plain->Count(text, &inner), 10);
    EXPECT_EQ(plain->Count(text, &inner), pressed->Count(text, &inner));
    int misplaced = 0;
    for (int y = 3; y < b - 4; ++y)
        for (int x = 3; x < r - 4; ++x)
            if ((plain->Pixel(x, y) == text) != (pressed->Pixel(x + 1, y + 1) == text)) ++misplaced;
    EXPECT_EQ(0, misplaced);
}

TEST_F(ButtonST, CheckedCheckBoxDrawsPressed)
{
    CButtonST check;
    Bind(check, IDC_TEST_CHECK_ST);
    auto plain = PrintClient(check);
    EXPECT_EQ(Sys(COLOR_BTNFACE), plain->Pixel(0, 0));  // flat: no border
    check.SetCheck(1);
    auto checked = PrintClient(check);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), checked->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), checked->Pixel(checked->Width() - 1, checked->Height() - 1));
}

TEST_F(ButtonST, DisabledButtonDrawsItsCaptionEtched)
{
    CButtonST push;
    Bind(push, IDC_TEST_PUSH);
    auto enabled = PrintClient(push);
    EXPECT_GT(enabled->Count(Sys(COLOR_BTNTEXT)), 10);
    push.EnableWindow(FALSE);
    auto disabled = PrintClient(push);
    EXPECT_EQ(0, disabled->Count(Sys(COLOR_BTNTEXT)));
    EXPECT_GT(disabled->Count(Sys(COLOR_BTNSHADOW)), 10);
    EXPECT_GT(disabled->Count(Sys(COLOR_3DHILIGHT)), 10);
}

TEST_F(ButtonSTShown, FlatButtonShowsItsBorderOnlyWhileHot)
{
    CButtonST flat;
    Bind(flat, IDC_TEST_FLAT);
    flat.SetAlwaysTrack(TRUE);
    flat.SetButtonColor(CButtonST::BTNST_COLOR_BK_IN, RGB(200, 30, 30));
    auto plain = PrintClient(flat);
    EXPECT_EQ(Sys(COLOR_BTNFACE), plain->Pixel(0, 0));
    Hover(flat);
    auto hot = PrintClient(flat);
    EXPECT_EQ(Sys(COLOR_3DHILIGHT), hot->Pixel(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), hot->Pixel(hot->Width() - 1, hot->Height() - 1));
    EXPECT_EQ(RGB(200, 30, 30), hot->Pixel(3, 3));  // the hot face colour

    flat.SetDrawBorder(FALSE);
    auto borderless = PrintClient(flat);
    EXPECT_EQ(RGB(200, 30, 30), borderless->Pixel(0, 0));

    flat.SendMessage(WM_MOUSELEAVE);
    auto left = PrintClient(flat);
    EXPECT_TRUE(left->SameAs(*plain));
}

TEST_F(ButtonSTShown, NonFlatButtonIgnoresTheMouse)
{
    CButtonST push;
    Bind(push, IDC_TEST_PUSH);
    push.SetFlat(FALSE);
    push.SetAlwaysTrack(TRUE);
    auto plain = PrintClient(push);
    Hover(push);
    EXPECT_TRUE(PrintClient(push)->SameAs(*plain));
}

TEST_F(ButtonSTShown, IconShowsInColourWhileHotAndItsGreyCopyOtherwise)
{
    CButtonST icon;
    Bind(icon, IDC_TEST_ICON);
    icon.SetAlwaysTrack(TRUE);
    ASSERT_EQ(CButtonST::BTNST_OK, icon.SetIcon(IDI_MESSAGE_INFO, 16, 16, CButtonST::BTNST_AUTO_GRAY, 0, 0));
    ASSERT_NE(nullptr, icon.GetIconOut());
    const COLORREF grey = RGB(93, 93, 93);  // the luminance of the disc's blue
    auto plain = PrintClient(icon);
    EXPECT_EQ(0, plain->Count(kInfoBlue));
    EXPECT_GT(plain->Count(grey), 20);
    Hover(icon);
    auto hot = PrintClient(icon);
    EXPECT_GT(hot->Count(kInfoBlue), 20);
    EXPECT_EQ(0, hot->Count(grey));
}

TEST_F(ButtonST, DarkerOutIconAndMissingIcons)
{
    CButtonST icon;
    Bind(icon, IDC_TEST_ICON);
    ASSERT_EQ(CButtonST::BTNST_OK, icon.SetIcon(IDI_MESSAGE_INFO, 16, 16, CButtonST::BTNST_AUTO_DARKER, 0, 0));
    auto plain = PrintClient(icon);
    EXPECT_GT(plain->Count(RGB(30, 75, 150)), 20);
    EXPECT_EQ(0, plain->Count(kInfoBlue));

    EXPECT_EQ(CButtonST::BTNST_INVALIDRESOURCE, icon.SetIcon(4711, 16, 16, 0, 0, 0));
    EXPECT_EQ(nullptr, icon.GetIconIn());
    EXPECT_EQ(nullptr, icon.GetIconOut());
    EXPECT_EQ(CButtonST::BTNST_INVALIDRESOURCE, icon.SetIconPair(IDI_MESSAGE_INFO, 4711));
    EXPECT_EQ(nullptr, icon.GetIconIn());
}

TEST_F(ButtonST, TooltipCarriesItsText)
{
    CButtonST push;
    Bind(push, IDC_TEST_PUSH);
    push.SetTooltipText("Choose a method");
    ASSERT_NE(nullptr, push.Tooltip().m_hWnd);
    EXPECT_EQ(1, push.Tooltip().GetToolCount());
    push.SetTooltipText("Another text", FALSE);
    EXPECT_EQ(1, push.Tooltip().GetToolCount());
    char text[80] = "";
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = push.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    push.Tooltip().SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Another text", text);
}

// The popup menu.

TEST_F(ButtonSTShown, TypingTheUnderlinedLetterOfTheOpenMenuPostsItsCommand)
{
    CButtonST button;
    Bind(button, IDC_TEST_MENU_BUTTON);
    DmMenuTexts texts;
    texts.SetAt(ID_TEST_BETA, "&Bravo");
    ASSERT_EQ(CButtonST::BTNST_OK,
              button.SetMenu(IDR_TEST_MENU, m_form.m_hWnd, FALSE, IDR_TEST_TOOLBAR, texts, 16, 16, RGB(255, 0, 255)));
    button.SetMenuCallback(m_form.m_hWnd, testing_support::WM_TEST_MENU_CALLBACK);
    auto closed = PrintClient(button);

    std::unique_ptr<ControlCanvas> whileOpen, menuShot;
    WhileMenuIsOpen([&] {
        whileOpen = PrintClient(button);
        HWND popup = ::FindWindowA("#32768", nullptr);
        if (popup) menuShot = testing_support::PrintWholeWindow(popup);
        button.PostMessage(WM_CHAR, 'b');
    });
    m_form.Click(IDC_TEST_MENU_BUTTON);
    testing_support::PumpUntil([&] { return !m_form.m_commands.empty(); }, testing_support::kWaitBoundMs);

    ASSERT_EQ(1u, m_form.m_commands.size());
    EXPECT_EQ(static_cast<WPARAM>(ID_TEST_BETA), m_form.m_commands[0]);
    ASSERT_EQ(1u, m_form.m_callbackParams.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(::GetSubMenu(button.PopupMenu().m_hMenu, 0)), m_form.m_callbackParams[0]);
    // The button drew pressed while its menu was open, and plain again afterwards.
    ASSERT_TRUE(whileOpen);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), whileOpen->Pixel(0, 0));
    EXPECT_TRUE(PrintClient(button)->SameAs(*closed));
    // The open menu showed its items: the replaced text and the check mark box of Bravo.
    ASSERT_TRUE(menuShot);
    EXPECT_GT(menuShot->Count(Sys(COLOR_MENUTEXT)), 100);
    EXPECT_GT(menuShot->Count(RGB(40, 90, 200)), 20);  // Alpha's toolbar image
}

TEST_F(ButtonSTShown, MenuClosedByTheMainWindowClosingPostsNothing)
{
    CButtonST button;
    Bind(button, IDC_TEST_MENU_BUTTON);
    ASSERT_EQ(CButtonST::BTNST_OK, button.SetMenu(IDR_TEST_MENU, m_form.m_hWnd, FALSE, 0, DmMenuTexts(), 16, 16, 0));
    WhileMenuIsOpen([&] {
        G_bMainWindowClosing = TRUE;
        button.PostMessage(WM_CHAR, 'b');
    });
    m_form.Click(IDC_TEST_MENU_BUTTON);
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_TRUE(m_form.m_commands.empty());
}

TEST_F(ButtonSTShown, ButtonDestroyedWhileItsMenuIsOpenReturnsWithoutTouchingItself)
{
    auto* button = new CButtonST;
    Bind(*button, IDC_TEST_MENU_BUTTON);
    ASSERT_EQ(CButtonST::BTNST_OK, button->SetMenu(IDR_TEST_MENU, m_form.m_hWnd, FALSE, 0, DmMenuTexts(), 16, 16, 0));
    WhileMenuIsOpen([&] {
        ::EndMenu();
        delete button;
        button = nullptr;
    });
    m_form.Click(IDC_TEST_MENU_BUTTON);
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_EQ(nullptr, button);
    EXPECT_EQ(nullptr, ::GetDlgItem(m_form.m_hWnd, IDC_TEST_MENU_BUTTON));
    EXPECT_TRUE(m_form.m_commands.empty());
}

TEST_F(ButtonST, MenuWithAMissingToolbarIsRefusedWhole)
{
    CButtonST button;
    Bind(button, IDC_TEST_MENU_BUTTON);
    EXPECT_EQ(CButtonST::BTNST_INVALIDRESOURCE,
              button.SetMenu(IDR_TEST_MENU, m_form.m_hWnd, FALSE, 4712, DmMenuTexts(), 16, 16, RGB(255, 0, 255)));
    EXPECT_EQ(nullptr, button.PopupMenu().m_hMenu);
    EXPECT_EQ(CButtonST::BTNST_INVALIDRESOURCE, button.SetMenu(4711, m_form.m_hWnd, FALSE, 0, DmMenuTexts(), 16, 16, 0));
    // Without a menu a click is an ordinary push.
    m_form.Click(IDC_TEST_MENU_BUTTON);
    EXPECT_TRUE(m_form.m_commands.empty());
    EXPECT_EQ(1u, m_form.m_clicks.size());
}
