#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/ControlCanvas.h"
#include "ui/DmMenu.h"
#include "ui/UiControls.h"

#include <string>

using testing_support::ControlCanvas;

namespace {
constexpr int kItemWidth = 220;
constexpr int kItemHeight = 22;

// Restores the process-wide look after a test changed it.
class DmMenuTest : public ::testing::Test {
protected:
    void TearDown() override { DmMenu::SetMenuDrawMode(TRUE, FALSE); }

    static DmMenu* Popup(DmMenu& menu) { return DmMenu::FromMenuHandle(::GetSubMenu(menu.m_hMenu, 0)); }

    // The test menu with the images of the test toolbar (drawn on magenta).
    static DmMenu* LoadWithToolbar(DmMenu& menu)
    {
        EXPECT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
        menu.SetBitmapBackground(RGB(255, 0, 255));
        EXPECT_TRUE(menu.LoadToolbarImages(IDR_TEST_TOOLBAR));
        return Popup(menu);
    }

    static const DmMenuData* Item(DmMenu& popup, UINT id)
    {
        for (const DmMenuData* data : popup.Items())
            if (data->m_nID == id) return data;
        return nullptr;
    }

    // The item drawn as the menu would ask for it.
    static std::unique_ptr<ControlCanvas> Draw(DmMenu& popup, UINT id, UINT state)
    {
        auto canvas = std::make_unique<ControlCanvas>(kItemWidth, kItemHeight);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
        dis.hDC = canvas->Dc();
        dis.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
        dis.itemData = reinterpret_cast<ULONG_PTR>(Item(popup, id));
        popup.DrawItem(&dis);
        return canvas;
    }

    static int TextPixels(const ControlCanvas& canvas, COLORREF color, int fromX, int toX)
    {
        RECT area{fromX, 0, toX, kItemHeight};
        return canvas.Count(color, &area);
    }
};
}  // namespace

// Loading.

TEST_F(DmMenuTest, MapTextReplacesTheTemplateTextOfItsCommandOnly)
{
    DmMenu menu;
    DmMenuTexts texts;
    texts.SetAt(ID_TEST_BETA, "Bravo");
    ASSERT_TRUE(menu.LoadMenuWithTexts(IDR_TEST_MENU, texts));
    DmMenu* popup = Popup(menu);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(L"Bravo", Item(*popup, ID_TEST_BETA)->Text());
    EXPECT_EQ(0u, Item(*popup, ID_TEST_ALPHA)->Text().find(L"&Alpha"));
}

TEST_F(DmMenuTest, TopLevelItemsAreTextAndNestedItemsOwnerDrawn)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.m_hMenu, 0, TRUE, &info));
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);

    HMENU popup = ::GetSubMenu(menu.m_hMenu, 0);
    ASSERT_EQ(6, ::GetMenuItemCount(popup));
    for (int pos = 0; pos < 6; ++pos) {
        ASSERT_TRUE(::GetMenuItemInfoW(popup, pos, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "item " << pos;
    }
    // The checked and grayed states of the template survive.
    EXPECT_TRUE(::GetMenuState(popup, ID_TEST_BETA, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(popup, ID_TEST_GAMMA, MF_BYCOMMAND) & MF_GRAYED);
    // The nested popup is a menu of its own.
    HMENU more = ::GetSubMenu(popup, 5);
    ASSERT_NE(nullptr, DmMenu::FromMenuHandle(more));
    EXPECT_EQ(ID_TEST_DELTA, ::GetMenuItemID(more, 0));
}

TEST_F(DmMenuTest, MissingTemplateLeavesTheMenuEmpty)
{
    DmMenu menu;
    EXPECT_FALSE(menu.LoadMenuTemplate(4711));
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_TRUE(menu.Items().empty());
}

TEST_F(DmMenuTest, DestroyingForgetsEveryMenuHandleOfTheTree)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    EXPECT_EQ(1u, menu.Items().size());
    HMENU popup = ::GetSubMenu(menu.m_hMenu, 0);
    HMENU more = ::GetSubMenu(popup, 5);
    ASSERT_NE(nullptr, DmMenu::FromMenuHandle(more));
    menu.DestroyMenuItems();
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(nullptr, DmMenu::FromMenuHandle(popup));
    EXPECT_EQ(nullptr, DmMenu::FromMenuHandle(more));
    EXPECT_FALSE(::IsMenu(popup));
}

TEST_F(DmMenuTest, TabbedTextsOfALevelAlignTheirLeftParts)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    const std::wstring alpha = Item(*popup, ID_TEST_ALPHA)->Text();
    const std::wstring epsilon = Item(*popup, ID_TEST_EPSILON)->Text();
    const std::wstring alphaLeft = alpha.substr(0, alpha.find(L'\t'));
    const std::wstring epsilonLeft = epsilon.substr(0, epsilon.find(L'\t'));
    EXPECT_EQ(L"\tCtrl+A", alpha.substr(alpha.find(L'\t')));
    EXPECT_EQ(L"\tF2", epsilon.substr(epsilon.find(L'\t')));
    // The shorter left part was padded with blanks to the width of the widest.
    EXPECT_GT(alphaLeft.size(), std::wstring(L"&Alpha").size());
    EXPECT_EQ(std::wstring::npos, alphaLeft.find_first_not_of(L' ', 6));

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    CFont font;
    font.CreateFontIndirect(&metrics.lfMenuFont);
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, font.m_hObject);
    SIZE a{}, e{}, blank{};
    ::GetTextExtentPoint32W(hdc, alphaLeft.c_str(), static_cast<int>(alphaLeft.size()), &a);
    // The widest left part (with its blank) sets the width.
    ::GetTextExtentPoint32W(hdc, epsilonLeft.c_str(), static_cast<int>(epsilonLeft.size()), &e);
    ::GetTextExtentPoint32W(hdc, L" ", 1, &blank);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_GE(a.cx, e.cx);
    EXPECT_LT(a.cx, e.cx + blank.cx);
}

// Images.

TEST_F(DmMenuTest, ToolbarImagesGoToTheItemsOfTheirCommands)
{
    DmMenu menu;
    DmMenu* popup = LoadWithToolbar(menu);
    ASSERT_NE(nullptr, popup);
    const int alpha = Item(*popup, ID_TEST_ALPHA)->m_nGlobalImage;
    const int beta = Item(*popup, ID_TEST_BETA)->m_nGlobalImage;
    EXPECT_GE(alpha, 0);
    EXPECT_GE(beta, 0);
    EXPECT_NE(alpha, beta);
    EXPECT_EQ(-1, Item(*popup, ID_TEST_GAMMA)->m_nGlobalImage);
    DmMenu* more = DmMenu::FromMenuHandle(::GetSubMenu(popup->m_hMenu, 5));
    ASSERT_NE(nullptr, more);
    EXPECT_GE(more->Items()[0]->m_nGlobalImage, 0);
    EXPECT_EQ(CSize(16, 16), menu.GetImageSize());
    EXPECT_EQ(CSize(16, 16), more->GetImageSize());
}

TEST_F(DmMenuTest, CheckedItemWithAnImageSitsInALighterBox)
{
    DmMenu menu;
    DmMenu* popup = LoadWithToolbar(menu);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(::GetMenuState(popup->m_hMenu, ID_TEST_BETA, MF_BYCOMMAND) & MF_CHECKED);
    const int dy = (kItemHeight - 16 - 4) / 2;
    const COLORREF menuColor = ::GetSysColor(COLOR_MENU);
    auto checked = Draw(*popup, ID_TEST_BETA, ODS_CHECKED);
    // Frames are drawn only for the version codes 2 and up, which newer systems (code 1) are not.
    EXPECT_EQ(DmMenu::LightenColor(menuColor, 0.6), checked->Pixel(1, dy + 1));
    EXPECT_EQ(DmMenu::LightenColor(menuColor, 0.6), checked->Pixel(18, dy + 18));
    EXPECT_GT(checked->Count(RGB(80, 60, 225)), 20);  // the image inside
    auto plain = Draw(*popup, ID_TEST_BETA, 0);
    EXPECT_EQ(menuColor, plain->Pixel(1, dy + 1));
}

TEST_F(DmMenuTest, MissingToolbarAddsNoImages)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    EXPECT_FALSE(menu.LoadToolbarImages(4712));
    EXPECT_EQ(-1, Item(*Popup(menu), ID_TEST_GAMMA)->m_nGlobalImage);
}

TEST_F(DmMenuTest, XpLookWithThreeImagesShowsWashedOutAndRaisedImages)
{
    DmMenu::SetMenuDrawMode(TRUE, TRUE);
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    popup->SetImageSize(16, 16);
    popup->SetBitmapBackground(RGB(255, 0, 255));
    // A command no other test registers: its image is added with its two derived copies.
    ASSERT_TRUE(popup->AppendItem(L"&Xray", 0, ID_TEST_NOT_IN_MENU, IDR_TEST_TOOLBAR));
    ASSERT_GE(Item(*popup, ID_TEST_NOT_IN_MENU)->m_nGlobalImage, 0);

    const COLORREF glyph = RGB(40, 60, 255);  // the toolbar's fourth image
    const COLORREF washedOut = DmMenu::LightenColor(glyph, 0.3);
    const COLORREF shadow = DmMenu::LightenColor(::GetSysColor(COLOR_BTNSHADOW), 0.49);
    auto plain = Draw(*popup, ID_TEST_NOT_IN_MENU, 0);
    EXPECT_GT(plain->Count(washedOut), 10);
    EXPECT_EQ(0, plain->Count(glyph));
    auto selected = Draw(*popup, ID_TEST_NOT_IN_MENU, ODS_SELECTED);
    EXPECT_GT(selected->Count(glyph), 10);
    EXPECT_GT(selected->Count(shadow), 0);  // the shadow copy, down-right of the image
}

TEST_F(DmMenuTest, XpLookTextStandsOutFromTheLightenedSelection)
{
    // High-contrast schemes: white menu text on a highlight that the XP look lightens nearly white.
    const COLORREF selection = DmMenu::LightenColor(RGB(128, 0, 128), 0.85);
    EXPECT_EQ(RGB(0, 0, 0), DmMenu::ReadableOn(RGB(255, 255, 255), selection));
    EXPECT_EQ(RGB(255, 255, 255), DmMenu::ReadableOn(RGB(30, 30, 30), RGB(0, 0, 0)));
    EXPECT_EQ(RGB(0, 0, 128), DmMenu::ReadableOn(RGB(0, 0, 128), selection));  // a text that stands out is kept
}

// Keyboard.

TEST_F(DmMenuTest, FindMenuCharExecutesTheItemOfTheUnderlinedLetter)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    CMenu* popup = CMenu::FromHandle(::GetSubMenu(menu.m_hMenu, 0));
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), DmMenu::FindMenuChar('b', MF_POPUP, popup));
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), DmMenu::FindMenuChar('B', MF_POPUP, popup));
    EXPECT_EQ(MAKELRESULT(4, MNC_EXECUTE), DmMenu::FindMenuChar('e', MF_POPUP, popup));
    EXPECT_EQ(0, DmMenu::FindMenuChar('z', MF_POPUP, popup));
    // Only popup menus of this class answer.
    EXPECT_EQ(0, DmMenu::FindMenuChar('b', 0, popup));
    CMenu plain;
    plain.CreatePopupMenu();
    plain.AppendMenu(MF_STRING, 1, "&b");
    EXPECT_EQ(0, DmMenu::FindMenuChar('b', MF_POPUP, &plain));
}

TEST_F(DmMenuTest, ItemsAddedBehindTheMenusBackAreFoundAndDrawnByTheMenu)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    HMENU popup = ::GetSubMenu(menu.m_hMenu, 0);
    ::AppendMenuA(popup, MF_STRING, 9001, "&Zulu");
    EXPECT_EQ(MAKELRESULT(6, MNC_EXECUTE), DmMenu::FindMenuChar('z', MF_POPUP, CMenu::FromHandle(popup)));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoW(popup, 6, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(L"&Zulu", reinterpret_cast<const DmMenuData*>(info.dwItemData)->Text());
    EXPECT_EQ(7u, Popup(menu)->Items().size());
}

// Measuring.

TEST_F(DmMenuTest, SeparatorsAreLowAndItemsAtLeastAMenuLineHigh)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemData = reinterpret_cast<ULONG_PTR>(popup->Items()[2]);
    popup->MeasureItem(&mis);
    EXPECT_EQ(0u, mis.itemWidth);
    EXPECT_LT(static_cast<int>(mis.itemHeight), ::GetSystemMetrics(SM_CYMENU));

    mis.itemData = reinterpret_cast<ULONG_PTR>(Item(*popup, ID_TEST_EPSILON));
    popup->MeasureItem(&mis);
    EXPECT_GE(static_cast<int>(mis.itemHeight), ::GetSystemMetrics(SM_CYMENU));
    MEASUREITEMSTRUCT shortItem = mis;
    shortItem.itemData = reinterpret_cast<ULONG_PTR>(Item(*popup, ID_TEST_BETA));
    popup->MeasureItem(&shortItem);
    EXPECT_GT(mis.itemWidth, shortItem.itemWidth);
}

// Drawing, classic look (the default on this system).

TEST_F(DmMenuTest, WindowsSevenAndLaterUseTheClassicLookUnlessAsked)
{
    EXPECT_EQ(1, DmMenu::WindowsVersionCode());
    EXPECT_FALSE(DmMenu::UseXpLook());
    DmMenu::SetMenuDrawMode(TRUE, TRUE);
    EXPECT_TRUE(DmMenu::UseXpLook());
}

TEST_F(DmMenuTest, ItemTextIsDrawnInTheMenuTextColour)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    auto canvas = Draw(*popup, ID_TEST_EPSILON, 0);
    const COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    EXPECT_GT(TextPixels(*canvas, text, 25, 120), 10);
    EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas->Pixel(kItemWidth - 2, 1));
    // The part after the tab lies at the right, left of the image width's margin.
    EXPECT_GT(TextPixels(*canvas, text, kItemWidth - 16 - 20, kItemWidth - 16), 3);
    EXPECT_EQ(0, TextPixels(*canvas, text, kItemWidth - 16, kItemWidth));

    auto selected = Draw(*popup, ID_TEST_EPSILON, ODS_SELECTED);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), selected->Pixel(kItemWidth - 2, 1));
    EXPECT_GT(TextPixels(*selected, ::GetSysColor(COLOR_HIGHLIGHTTEXT), 25, 120), 10);
}

TEST_F(DmMenuTest, CheckedItemShowsATickAndARadioChoiceADot)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    const COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    RECT box{0, 0, 19, kItemHeight};
    auto unchecked = Draw(*popup, ID_TEST_EPSILON, 0);
    auto checked = Draw(*popup, ID_TEST_EPSILON, ODS_CHECKED);
    EXPECT_EQ(0, unchecked->Count(text, &box));
    const int tick = checked->Count(text, &box);
    EXPECT_EQ(21, tick);  // seven strokes of three pixels

    // An item with a checked-state bitmap is a radio choice.
    CBitmap mark;
    mark.CreateBitmap(13, 13, 1, 1, nullptr);
    ASSERT_TRUE(::SetMenuItemBitmaps(popup->m_hMenu, ID_TEST_EPSILON, MF_BYCOMMAND, nullptr, mark));
    auto radio = Draw(*popup, ID_TEST_EPSILON, ODS_CHECKED);
    const int dot = radio->Count(text, &box);
    EXPECT_GT(dot, 15);
    EXPECT_FALSE(radio->SameAs(*checked));
}

TEST_F(DmMenuTest, DisabledSelectedItemKeepsTheHighlightInTheClassicLookOnly)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    auto classic = Draw(*popup, ID_TEST_GAMMA, ODS_SELECTED | ODS_GRAYED);
    EXPECT_EQ(highlight, classic->Pixel(kItemWidth - 2, 1));
    auto classicPlain = Draw(*popup, ID_TEST_GAMMA, ODS_GRAYED);
    EXPECT_GT(TextPixels(*classicPlain, ::GetSysColor(COLOR_GRAYTEXT), 25, 120), 5);
    EXPECT_GT(TextPixels(*classicPlain, ::GetSysColor(COLOR_3DHILIGHT), 25, 120), 5);

    DmMenu::SetMenuDrawMode(TRUE, TRUE);
    auto xp = Draw(*popup, ID_TEST_GAMMA, ODS_SELECTED | ODS_GRAYED);
    const COLORREF xpSelection = DmMenu::LightenColor(highlight, 0.85);
    EXPECT_EQ(0, xp->Count(xpSelection));
    EXPECT_EQ(0, xp->Count(highlight));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), xp->Pixel(kItemWidth - 2, 1));
}

TEST_F(DmMenuTest, SeparatorIsAnEtchedLineAcrossTheMiddle)
{
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    auto canvas = std::make_unique<ControlCanvas>(kItemWidth, 10);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = reinterpret_cast<HWND>(popup->m_hMenu);
    dis.hDC = canvas->Dc();
    dis.rcItem = RECT{0, 0, kItemWidth, 10};
    dis.itemData = reinterpret_cast<ULONG_PTR>(popup->Items()[2]);
    popup->DrawItem(&dis);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), canvas->Pixel(50, 5));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), canvas->Pixel(50, 6));
    EXPECT_EQ(::GetSysColor(COLOR_MENU), canvas->Pixel(50, 2));
}

// Drawing, XP look.

TEST_F(DmMenuTest, XpLookDrawsAnImageColumnAndAFramedSelection)
{
    DmMenu::SetMenuDrawMode(TRUE, TRUE);
    DmMenu menu;
    ASSERT_TRUE(menu.LoadMenuTemplate(IDR_TEST_MENU));
    DmMenu* popup = Popup(menu);
    const COLORREF column = DmMenu::LightenColor(::GetSysColor(COLOR_BTNFACE), 0.25);
    auto plain = Draw(*popup, ID_TEST_EPSILON, 0);
    EXPECT_EQ(column, plain->Pixel(2, 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), plain->Pixel(kItemWidth - 2, 2));

    auto selected = Draw(*popup, ID_TEST_EPSILON, ODS_SELECTED);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(highlight, selected->Pixel(0, 5));
    EXPECT_EQ(highlight, selected->Pixel(kItemWidth - 1, 5));
    EXPECT_EQ(DmMenu::LightenColor(highlight, 0.85), selected->Pixel(kItemWidth - 3, 5));

    auto checked = Draw(*popup, ID_TEST_EPSILON, ODS_CHECKED);
    RECT checkColumn{0, 0, 23, kItemHeight};
    EXPECT_EQ(21, checked->Count(::GetSysColor(COLOR_MENUTEXT), &checkColumn));
}

TEST(DmMenuColours, LighteningMovesEachChannelTowardWhite)
{
    EXPECT_EQ(RGB(127, 127, 255), DmMenu::LightenColor(RGB(0, 0, 255), 0.5));
    EXPECT_EQ(RGB(10, 20, 30), DmMenu::LightenColor(RGB(10, 20, 30), 0.0));
    EXPECT_EQ(RGB(10, 20, 30), DmMenu::LightenColor(RGB(10, 20, 30), 1.5));
    EXPECT_EQ(RGB(255, 255, 255), DmMenu::LightenColor(RGB(10, 20, 30), 1.0));
}
