// The access-point and Wi-Fi Direct page templates, and the skin library's bitmaps that the
// main window and its pages load.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "ApWdPagesResource.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ClassOf(HWND wnd)
{
    char name[64] = {};
    ::GetClassNameA(wnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND wnd)
{
    char text[256] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

INT_PTR CALLBACK PlainPage(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Creates a template of the program's resources as a child of a hidden host.
class Template : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES};
        ::InitCommonControlsEx(&icc);
        host = ::CreateWindowA("STATIC", "host", WS_POPUP, 0, 0, 1200, 900, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, host);
    }
    void TearDown() override { ::DestroyWindow(host); }
    HWND Open(int id)
    {
        HWND page = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), host, PlainPage, 0);
        EXPECT_NE(nullptr, page) << "template " << id;
        return page;
    }
    HWND host = nullptr;
};

struct Expected {
    int id;
    const char* cls;
    DWORD kind;  // BS_ type for buttons, else 0
};

void ExpectControls(HWND page, const std::vector<Expected>& controls)
{
    for (const Expected& c : controls) {
        HWND item = ::GetDlgItem(page, c.id);
        ASSERT_NE(nullptr, item) << "control " << c.id;
        EXPECT_STRCASEEQ(c.cls, ClassOf(item).c_str()) << "control " << c.id;
        if (c.kind) {
            EXPECT_EQ(c.kind, static_cast<DWORD>(::GetWindowLongA(item, GWL_STYLE)) & BS_TYPEMASK) << "control " << c.id;
        }
    }
}

// The English text of a key of the shipped language file, from whichever section holds it.
std::string Lang(const char* key)
{
    char path[MAX_PATH] = {};
    ::GetFullPathNameA("Languages\\Lang.ini", MAX_PATH, path, nullptr);
    char sections[4096] = {};
    ::GetPrivateProfileSectionNamesA(sections, sizeof(sections), path);
    for (const char* section = sections; *section; section += strlen(section) + 1) {
        char text[256] = {};
        if (::GetPrivateProfileStringA(section, key, "", text, sizeof(text), path) > 0) return text;
    }
    return {};
}

}  // namespace

TEST_F(Template, WiFiDirectPagesCarryEveryControlWithItsNumber)
{
    HWND main = Open(IDD_KELVO_WLAN_P2P);
    ASSERT_NE(nullptr, main);
    ExpectControls(main, {{1419, "Button", BS_AUTOCHECKBOX}, {1496, "Button", BS_AUTORADIOBUTTON},
                          {1497, "Button", BS_AUTORADIOBUTTON}, {1443, "Button", BS_PUSHBUTTON},
                          {1444, "Button", BS_PUSHBUTTON}, {1445, "Button", BS_PUSHBUTTON},
                          {1501, "Button", BS_PUSHBUTTON}, {1442, "SysListView32", 0}, {1446, "Static", 0},
                          {1454, "Static", 0}, {1455, "Static", 0}, {1456, "Static", 0}, {1457, "Static", 0},
                          {1458, "Static", 0}, {1459, "Static", 0}});
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(main, 1442), GWL_STYLE) & LVS_OWNERDATA);

    HWND method = Open(IDD_KELVO_P2P_CONNECT_METHOD);
    ASSERT_NE(nullptr, method);
    ExpectControls(method, {{1460, "Button", BS_AUTORADIOBUTTON}, {1461, "Button", BS_AUTORADIOBUTTON},
                            {1462, "Button", BS_AUTORADIOBUTTON}, {1463, "Edit", 0}, {1464, "Button", BS_PUSHBUTTON},
                            {1465, "Button", BS_PUSHBUTTON}, {1497, "Button", BS_PUSHBUTTON},
                            {1498, "Button", BS_PUSHBUTTON}, {1466, "Static", 0}, {1467, "Static", 0},
                            {1468, "Static", 0}, {1469, "Static", 0}});

    HWND status = Open(IDD_KELVO_P2P_LINK_STATUS);
    ASSERT_NE(nullptr, status);
    ExpectControls(status, {{1490, "Static", 0}, {1492, "Static", 0}, {1494, "Static", 0}, {1500, "Button", BS_PUSHBUTTON}});

    // The device list's context menu.
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_WLANP2P_DEVICE_MENU));
    ASSERT_NE(nullptr, menu);
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    char item[64] = {};
    EXPECT_GT(::GetMenuStringA(popup, ID_WLANP2P_DISCONNECT, item, sizeof(item), MF_BYCOMMAND), 0);
    EXPECT_STREQ("Disconnect", item);
    ::DestroyMenu(menu);
}

TEST_F(Template, PagesShowTheLanguageFilesEnglishLabels)
{
    struct Label {
        int dialog, control;
        const char* key;
    };
    const Label labels[] = {
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_SSID_LABEL, "IDS_LAB_SSID"},
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_WIRELESS_TITLE, "IDS_AP_WIRELESS_SETTING"},
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_SECURITY_TITLE, "IDS_AP_SECURITY_SETTING"},
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_BRIDGE, "IDS_AP_BRIDGE"},
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_PSK_LABEL, "IDS_AP_PRE_KEY"},
        {IDD_KELVO_AP_CONFIG, IDC_KAPCFG_PASSPHRASE_RADIO, "IDS_AP_LAB_PASSPHRASE"},
        {IDD_KELVO_AP_LINK_INFO, IDC_KAPLINK_TITLE, "IDS_AP_LAB_STATUS"},
        {IDD_KELVO_AP_LINK_INFO, IDC_KAPLINK_RATE_LABEL, "IDS_AP_LAB_TRANSMISSION_RATE"},
        {IDD_KELVO_AP_LINK_INFO, IDC_KAPLINK_LIST_TITLE, "IDS_AP_ASSOCIATION_LIST"},
        {IDD_KELVO_AP_MAC_FILTER, IDC_KAPMAC_TYPE_LABEL, "IDS_AP_FILTER_TYPE"},
        {IDD_AP_CONFIG, IDC_APCFG_ALLOW_BW40, "IDS_ALLOW_BW40_CAPABILITY"},
        {IDD_AP_CONFIG, IDC_APCFG_NO_FORWARDING, "IDS_NO_FORWARDING"},
        {IDD_AP_SECURITY, IDC_APSEC_KEY1_RADIO + 3, "IDS_AUTH_KEY4"},
        {IDD_AP_ACCESS_CONTROL, IDC_ACL_REMOVE_ALL, "IDS_REMOVEALL"},
        {IDD_EXTAP_CONFIG, IDC_EXTAP_MAX_CLIENT_LABEL, "IDS_EXTAP_MAX_CLIENT"},
        {IDD_EXTAP_MAC_TABLE, IDC_EXTAPMAC_TITLE, "IDS_MAC_TABLE"},
        {IDD_KELVO_WLAN_P2P, IDC_WLANP2P_ENABLE, "IDS_WIFI_DIRECT_ENABLE_WLAN_P2P"},
        {IDD_KELVO_WLAN_P2P, IDC_WLANP2P_DEVICE_LIST_TITLE, "IDS_WIFI_DIRECT_WLAN_P2P_DEVICE_LIST"},
        {IDD_KELVO_P2P_CONNECT_METHOD, IDC_P2PCM_PIN_ENTERED, "IDS_LAB_ADAPTER_RADIOITEM_02"},
        {IDD_KELVO_P2P_LINK_STATUS, IDC_P2PLS_MESSAGE, "IDS_WIFI_DIRECT_MSG_PWP_GROUP_OWNER_FUNCTION"},
    };
    for (const Label& l : labels) {
        HWND page = Open(l.dialog);
        ASSERT_NE(nullptr, page);
        const std::string english = Lang(l.key);
        ASSERT_FALSE(english.empty()) << l.key;
        EXPECT_EQ(english, TextOf(::GetDlgItem(page, l.control))) << l.key;
        ::DestroyWindow(page);
    }
}

// Placement: on every template each control lies inside the page and no two controls overlap
// (group boxes excepted, and the hidden in-place editor of the access list, which the page
// moves over a row when it is used).
TEST_F(Template, ControlsStayInsideThePageAndNeverOverlap)
{
    const int templates[] = {IDD_KELVO_AP_CONFIG, IDD_KELVO_AP_LINK_INFO, IDD_KELVO_AP_MAC_FILTER,
                             IDD_AP_CONFIG, IDD_AP_SECURITY, IDD_AP_ACCESS_CONTROL, IDD_AP_MAC_TABLE,
                             IDD_EXTAP_CONFIG, IDD_EXTAP_MAC_TABLE, IDD_KELVO_WLAN_P2P,
                             IDD_KELVO_P2P_CONNECT_METHOD, IDD_KELVO_P2P_LINK_STATUS};
    for (int id : templates) {
        HWND page = Open(id);
        ASSERT_NE(nullptr, page);
        RECT client;
        ::GetClientRect(page, &client);
        std::vector<std::pair<RECT, int>> placed;
        for (HWND c = ::GetWindow(page, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            const LONG style = ::GetWindowLongA(c, GWL_STYLE);
            if (ClassOf(c) == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
            if (!(style & WS_VISIBLE)) continue;
            RECT r;  // a closed drop-down list: its window is the field alone
            ::GetWindowRect(c, &r);
            ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << "template " << id << " control " << ::GetDlgCtrlID(c);
            for (const auto& [other, otherId] : placed) {
                RECT both;
                EXPECT_FALSE(::IntersectRect(&both, &r, &other))
                    << "template " << id << ": controls " << ::GetDlgCtrlID(c) << " and " << otherId;
            }
            placed.push_back({r, ::GetDlgCtrlID(c)});
        }
        EXPECT_GT(placed.size(), 0u) << "template " << id;
        ::DestroyWindow(page);
    }
}

// ---- the skin library -------------------------------------------------------------------------

namespace {

class SkinBitmaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = ::LoadLibraryA("KelvoIMG.dll");
        ASSERT_NE(nullptr, skin);
    }
    void TearDown() override
    {
        for (HBITMAP b : loaded) ::DeleteObject(b);
        ::FreeLibrary(skin);
    }
    HBITMAP Load(int id)
    {
        HBITMAP b = static_cast<HBITMAP>(::LoadImageA(skin, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (b) loaded.push_back(b);
        return b;
    }
    SIZE SizeOf(int id)
    {
        BITMAP bm{};
        HBITMAP b = Load(id);
        if (b) ::GetObject(b, sizeof(bm), &bm);
        return {bm.bmWidth, bm.bmHeight};
    }
    // The colour at (x, y), counted from the top-left corner.
    COLORREF At(int id, int x, int y)
    {
        HBITMAP b = Load(id);
        DIBSECTION dib{};
        if (!b || !::GetObject(b, sizeof(dib), &dib)) return CLR_INVALID;
        const int h = dib.dsBm.bmHeight;
        const auto* row = static_cast<const BYTE*>(dib.dsBm.bmBits) + (h - 1 - y) * dib.dsBm.bmWidthBytes;
        return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }

    HMODULE skin = nullptr;
    std::vector<HBITMAP> loaded;
};

// The strips cover the compact window's client area, 328 dialog units high.
constexpr int kStripWidth = 750, kStripHeight = 533, kStripDlu = 328;
constexpr int kTabRow = kStripHeight * 40 / kStripDlu;  // the tab row: the top 40 dialog units
constexpr int kSlot = kStripWidth / 5;

}  // namespace

TEST_F(SkinBitmaps, EveryStripCoversTheWholeWindowAndEveryButtonPairMatches)
{
    for (int strip : {1001, 1003, 1004, 1005, 1066, 12347, 12348, 12349, 1060, 7000}) {
        const SIZE s = SizeOf(strip);
        EXPECT_EQ(kStripWidth, s.cx) << strip;
        EXPECT_EQ(kStripHeight, s.cy) << strip;
    }
    // A float button takes the hover face's size and stretches the normal face into it.
    const int pairs[][2] = {{1017, 1016}, {1035, 1034}, {1031, 1030}, {1039, 1038}, {1021, 1020}, {1037, 1036},
                            {1041, 1040}, {1045, 1044}, {1013, 1012}, {1011, 1010}, {1063, 1062}, {1065, 1064},
                            {1025, 1024}, {1101, 1100}, {1023, 1022}, {1033, 1032}, {1007, 1006}, {12345, 12346},
                            {147, 148}};
    for (const auto& pair : pairs) {
        const SIZE normal = SizeOf(pair[0]), hover = SizeOf(pair[1]);
        EXPECT_GT(normal.cx, 0) << pair[0];
        EXPECT_EQ(normal.cx, hover.cx) << pair[0];
        EXPECT_EQ(normal.cy, hover.cy) << pair[0];
        // Hovering must show: the faces differ beside the caption, at the left edge's middle.
        if (pair[0] != 12345 && pair[0] != 147) {
            EXPECT_NE(At(pair[0], 3, normal.cy / 2), At(pair[1], 3, normal.cy / 2)) << pair[0];
        }
    }
    for (int other : {1000, 1002, 1048, 314, 320, 101, 102, 103}) EXPECT_NE(nullptr, Load(other)) << other;
    EXPECT_EQ(0, SizeOf(314).cx % 45);  // list images are 45 pixels wide
    EXPECT_GE(SizeOf(314).cx / 45, 6);  // up to the access points' configured and unconfigured images
}

TEST_F(SkinBitmaps, WhiteSectionTitlesOfTheStationPagesStandOnADarkBand)
{
    // The pages' white titles: at page rows 6 and 168 (dialog units below the tab row), their
    // text a few units lower.
    constexpr int kPageTop = 40, kTextOffset = 4;
    const struct {
        int strip;
        std::vector<int> titleRows;
    } pages[] = {{1005, {6, 168}}, {1004, {6, 168}}, {1001, {6}}};
    for (const auto& page : pages)
        for (int row : page.titleRows)
            for (int x : {kStripWidth / 10, kStripWidth / 2, kStripWidth * 9 / 10}) {
                const int y = (kPageTop + row + kTextOffset) * kStripHeight / kStripDlu;
                const COLORREF c = At(page.strip, x, y);
                const int luminance = (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
                EXPECT_LT(luminance, 128) << page.strip << " row " << row << " x " << x;
            }
}

TEST_F(SkinBitmaps, EachStripLightsItsOwnTab)
{
    const int chosen[][2] = {{1003, 0}, {1005, 1}, {1004, 2}, {1001, 3}, {1066, 4}, {12347, 0}, {12349, 1}, {12348, 2}};
    const int faceY = kTabRow / 4;  // above the captions
    for (const auto& [strip, tab] : chosen) {
        const int tabs = strip > 10000 ? 3 : 5;
        const COLORREF lit = At(strip, tab * kSlot + kSlot / 2, faceY);
        std::vector<COLORREF> others;
        for (int other = 0; other < tabs; ++other)
            if (other != tab) others.push_back(At(strip, other * kSlot + kSlot / 2, faceY));
        for (COLORREF c : others) {
            EXPECT_NE(lit, c) << strip;
            EXPECT_EQ(others.front(), c) << strip << ": the unchosen tabs look alike";
        }
    }
    // The wizard's strip lights none.
    for (int other = 1; other < 5; ++other)
        EXPECT_EQ(At(1060, kSlot / 2, faceY), At(1060, other * kSlot + kSlot / 2, faceY)) << other;
}

// Without a third tab, the main window erases it by copying a band from just right of it over
// its middle ten twelfths: the copy must leave nothing of the tab.
TEST_F(SkinBitmaps, ThirdAccessPointTabVanishesUnderABandCopiedFromItsRight)
{
    for (int strip : {12347, 12349}) {
        const int from = kTabRow / 12 + 1, to = kTabRow * 11 / 12 - 1;
        for (int y = 0; y < kTabRow; ++y) {
            const COLORREF beside = At(strip, 3 * kSlot + 2, y);
            // the band right of the tab is plain header, the same across the empty places
            EXPECT_EQ(beside, At(strip, 4 * kSlot + kSlot / 2, y)) << strip << " row " << y;
            if (y >= from && y < to) continue;
            // outside the copied rows the tab leaves the header untouched
            for (int x = 2 * kSlot; x < 3 * kSlot; x += 5)
                EXPECT_EQ(beside, At(strip, x, y)) << strip << " row " << y << " x " << x;
        }
        EXPECT_NE(At(strip, 2 * kSlot + kSlot / 2, kTabRow / 2), At(strip, 3 * kSlot + 2, kTabRow / 2));
    }
}
