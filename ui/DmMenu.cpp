#include "ui/DmMenu.h"
#include "ui/DmMenuMemDC.h"
#include "ui/DmMenuToolBar.h"
#include "ui/TopDownDib.h"
#include "base/DebugLog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>

IMPLEMENT_DYNAMIC(DmMenu, CMenu)

namespace {
constexpr UINT kImageListFlags = ILC_COLORDDB | ILC_MASK;
constexpr int kGapClassic = 4;
constexpr int kGapXpThreeImages = 7;
constexpr int kXpMeasurePadding = 8;
constexpr int kXpTextIndent = 8;
constexpr int kClassicTextIndent = 9;
constexpr int kClassicSelectionIndent = 5;
constexpr int kXpCheckBoxSize = 16;
constexpr double kWashedOutLighten = 0.3;
constexpr double kShadowLighten = 0.49;
constexpr double kColumnLighten = 0.25;
constexpr double kCheckedBoxLighten = 0.6;
constexpr double kXpSelectLightenThemed = 0.7;
constexpr double kXpSelectLightenOther = 0.85;
constexpr double kXpCheckedLighten = 0.85;
constexpr double kXpGrayTextLighten = 0.4;
// The least difference of luminance (0..255) between a text and what is behind it.
constexpr int kMinTextContrast = 96;
constexpr int kMidLuminance = 128;
// A selected disabled item keeps its highlight in the classic look and loses it in the XP look.
constexpr BOOL kSelectDisabledClassic = TRUE;
constexpr BOOL kSelectDisabledXp = FALSE;
constexpr DWORD kThemeNameBytes = 260;
constexpr char kThemeKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr char kClassicThemeSuffix[] = "Windows Classic.theme";
constexpr int kVersionWindowsXp = 7;
constexpr int kVersionFontsSelected = 2;  // from this code on, measuring DCs get the menu font
constexpr WORD kStandardTemplateVersion = 0;
constexpr int kMaxPaddingBlanks = 1024;
// The tick: seven 3-pixel strokes whose tops step down and up again.
constexpr int kTickTops[] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kTickStrokeLength = 3;
constexpr int kMarkLeft = 4;
constexpr int kMarkTop = 4;
constexpr int kDotLeft = 5;
constexpr int kDotSize = 6;

int ComputeVersionCode()
{
    DWORD version = ::GetVersion();
    int major = LOBYTE(LOWORD(version));
    int minor = HIBYTE(LOWORD(version));
    if (version & 0x80000000) {  // the 9x family
        if (major < 4) return 0;
        if (major == 4 && minor == 10) return 3;
        if (major == 4 && minor == 90) return 4;
        return 2;
    }
    if (major == 4) return 5;
    if (major == 5 && minor == 0) return 6;
    if (major == 5 && minor == 1) return kVersionWindowsXp;
    return 1;
}

const int g_nVersionCode = ComputeVersionCode();

struct MenuState {
    CImageList images;              // shared by every menu; entries are never removed
    std::vector<UINT> imageIds;     // command id owning each image of the list
    std::map<HMENU, DmMenu*> menus; // every menu handle that carries owner-drawn items
    BOOL xpOnThemedXp = TRUE;
    BOOL xpElsewhere = FALSE;
    BOOL threeImages = TRUE;
    bool themeLookedUp = false;
    bool classicTheme = false;
};

MenuState& State()
{
    static MenuState state;
    return state;
}

bool IsClassicTheme()
{
    MenuState& s = State();
    if (s.themeLookedUp) return s.classicTheme;
    s.themeLookedUp = true;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kThemeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char name[kThemeNameBytes + 1] = "";
    DWORD size = kThemeNameBytes, type = 0;
    if (::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS) {
        name[std::min<DWORD>(size, kThemeNameBytes)] = '\0';
        size_t len = strlen(name), suffix = sizeof kClassicThemeSuffix - 1;
        s.classicTheme = len >= suffix && lstrcmpiA(name + len - suffix, kClassicThemeSuffix) == 0;
    }
    ::RegCloseKey(key);
    return s.classicTheme;
}

// The menu font of the system, created anew for each use.
void CreateMenuFont(CFont& font)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font.CreateFontIndirect(&metrics.lfMenuFont);
    else
        font.Attach(::GetStockObject(DEFAULT_GUI_FONT));
}

int TextWidth(HDC hdc, const std::wstring& text)
{
    SIZE size{};
    ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

COLORREF ToColorRef(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }
DWORD ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The icon drawn on the button face colour, with every other pixel washed out or shadowed.
HBITMAP MakeDerivedImage(HICON hIcon, int cx, int cy, bool shadow)
{
    const BITMAPINFO info = TopDown32BitInfo(cx, cy);
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hBitmap) return nullptr;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hBitmap);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    RECT all{0, 0, cx, cy};
    HBRUSH brush = ::CreateSolidBrush(face);
    ::FillRect(hdc, &all, brush);
    ::DeleteObject(brush);
    ::DrawIconEx(hdc, 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    COLORREF shadowColor = ::GetSysColor(COLOR_BTNSHADOW);
    if (!DmMenu::IsThemedXp()) shadowColor = DmMenu::LightenColor(shadowColor, kShadowLighten);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < cx * cy; ++i) {
        COLORREF c = ToColorRef(pixels[i]);
        if (c == face) continue;
        pixels[i] = ToPixel(shadow ? shadowColor : DmMenu::LightenColor(c, kWashedOutLighten));
    }
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return hBitmap;
}

// A monochrome mask of the bitmap: set where it shows the transparent colour.
HBITMAP MakeMask(HBITMAP hBitmap, int cx, int cy, COLORREF transparent)
{
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HDC src = ::CreateCompatibleDC(nullptr), dst = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = ::SelectObject(src, hBitmap), oldDst = ::SelectObject(dst, hMask);
    ::SetBkColor(src, transparent);
    ::BitBlt(dst, 0, 0, cx, cy, src, 0, 0, SRCCOPY);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    ::DeleteDC(src);
    ::DeleteDC(dst);
    return hMask;
}

BOOL DrawMenuHook(LPDRAWITEMSTRUCT lpDIS)
{
    DmMenu* menu = DmMenu::FromMenuHandle(reinterpret_cast<HMENU>(lpDIS->hwndItem));
    if (!menu) return FALSE;
    menu->DrawItem(lpDIS);
    return TRUE;
}

BOOL MeasureMenuHook(LPMEASUREITEMSTRUCT lpMIS)
{
    // The measure message names no menu: the item's record tells which menu owns it.
    auto* data = reinterpret_cast<DmMenuData*>(lpMIS->itemData);
    for (const auto& entry : State().menus) {
        const auto& items = entry.second->Items();
        if (std::find(items.begin(), items.end(), data) == items.end()) continue;
        entry.second->MeasureItem(lpMIS);
        return TRUE;
    }
    return FALSE;
}

BOOL MenuCharHook(UINT nChar, UINT nFlags, HMENU hMenu, LRESULT* pResult)
{
    if (!DmMenu::FromMenuHandle(hMenu)) return FALSE;
    *pResult = DmMenu::FindMenuChar(nChar, nFlags, CMenu::FromHandle(hMenu));
    return TRUE;
}

void RegisterMenu(HMENU hMenu, DmMenu* menu)
{
    if (hMenu) State().menus[hMenu] = menu;
}

void UnregisterMenu(HMENU hMenu, const DmMenu* menu)
{
    auto& menus = State().menus;
    auto it = menus.find(hMenu);
    if (it != menus.end() && it->second == menu) menus.erase(it);
}

void SplitAtTab(const std::wstring& text, std::wstring& left, std::wstring& right)
{
    size_t tab = text.find(L'\t');
    left = text.substr(0, tab);
    right = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

void FillSolid(CDC* pDC, const RECT& r, COLORREF color)
{
    pDC->FillSolidRect(&r, color);
}

void FrameSolid(CDC* pDC, const RECT& r, COLORREF color)
{
    CBrush brush(color);
    pDC->FrameRect(&r, &brush);
}

// The tick, or for an item with a checked-state bitmap (a radio choice) a dot.
void DrawCheckMark(CDC* pDC, const CRect& box, bool radio, COLORREF color)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* oldPen = pDC->SelectObject(&pen);
    if (radio) {
        CBrush brush(color);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        int l = box.left + kDotLeft, t = box.top + kMarkTop;
        pDC->Ellipse(l, t, l + kDotSize, t + kDotSize);
        pDC->SelectObject(oldBrush);
    } else {
        for (int i = 0; i < static_cast<int>(std::size(kTickTops)); ++i) {
            int x = box.left + kMarkLeft + i, y = box.top + kMarkTop + kTickTops[i];
            pDC->MoveTo(x, y);
            pDC->LineTo(x, y + kTickStrokeLength);
        }
    }
    pDC->SelectObject(oldPen);
}

bool HasCheckedBitmap(HMENU hMenu, UINT nID)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    return ::GetMenuItemInfoW(hMenu, nID, FALSE, &info) && info.hbmpChecked;
}

void DrawImage(CDC* pDC, int image, POINT at)
{
    ::ImageList_Draw(State().images, image, pDC->m_hDC, at.x, at.y, ILD_TRANSPARENT);
}

void DrawEmbossedImage(CDC* pDC, int image, POINT at, SIZE size)
{
    HICON icon = ::ImageList_GetIcon(State().images, image, ILD_NORMAL);
    if (!icon) return;
    // The disabled state draws the image's mask in the highlight colour one pixel down-right,
    // then in the shadow colour.
    pDC->DrawState(at, size, icon, DSS_DISABLED);
    ::DestroyIcon(icon);
}

void RegisterMenuHooks()
{
    static std::once_flag once;
    std::call_once(once, [] {
        OwnerDrawMenuHooks hooks;
        hooks.MeasureItem = MeasureMenuHook;
        hooks.DrawItem = DrawMenuHook;
        hooks.MenuChar = MenuCharHook;
        AfxSetOwnerDrawMenuHooks(hooks);
    });
}
}  // namespace

DmMenu::DmMenu()
{
    State();  // made before any menu, so that it outlives every menu at exit
    RegisterMenuHooks();
}

DmMenu::~DmMenu()
{
    DestroyMenuItems();
}

int DmMenu::WindowsVersionCode() { return g_nVersionCode; }

BOOL DmMenu::IsThemedXp() { return g_nVersionCode == kVersionWindowsXp && !IsClassicTheme(); }

BOOL DmMenu::UseXpLook()
{
    const MenuState& s = State();
    return IsThemedXp() ? s.xpOnThemedXp : s.xpElsewhere;
}

void DmMenu::SetMenuDrawMode(BOOL bXpOnThemedXp, BOOL bXpElsewhere)
{
    State().xpOnThemedXp = bXpOnThemedXp;
    State().xpElsewhere = bXpElsewhere;
}

void DmMenu::SetThreeImageMode(BOOL bThreeImages) { State().threeImages = bThreeImages; }

COLORREF DmMenu::LightenColor(COLORREF c, double factor)
{
    if (factor <= 0.0 || factor > 1.0) return c;
    auto up = [factor](int v) { return static_cast<BYTE>(v + (255 - v) * factor); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

COLORREF DmMenu::ReadableOn(COLORREF text, COLORREF back)
{
    auto luminance = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
    const int behind = luminance(back);
    if (std::abs(luminance(text) - behind) >= kMinTextContrast) return text;
    return behind >= kMidLuminance ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

DmMenu* DmMenu::FromMenuHandle(HMENU hMenu)
{
    const auto& menus = State().menus;
    auto it = menus.find(hMenu);
    return it == menus.end() ? nullptr : it->second;
}

// Loading.

BOOL DmMenu::LoadMenuTemplate(UINT nIDResource) { return LoadFromResource(MAKEINTRESOURCEA(nIDResource), nullptr); }
BOOL DmMenu::LoadMenuTemplate(LPCSTR lpszResourceName) { return LoadFromResource(lpszResourceName, nullptr); }

BOOL DmMenu::LoadMenuWithTexts(UINT nIDResource, DmMenuTexts texts)
{
    return LoadFromResource(MAKEINTRESOURCEA(nIDResource), &texts);
}

BOOL DmMenu::LoadMenuWithTexts(LPCSTR lpszResourceName, DmMenuTexts texts)
{
    return LoadFromResource(lpszResourceName, &texts);
}

BOOL DmMenu::LoadFromResource(LPCSTR lpszResourceName, const DmMenuTexts* texts)
{
    DestroyMenuItems();
    LPCSTR type = reinterpret_cast<LPCSTR>(RT_MENU);
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, type);
    HRSRC hRsrc = hInst ? ::FindResourceA(hInst, lpszResourceName, type) : nullptr;
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    auto* data = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!data) {
        DebugLog(1, "[QxUI] DmMenu::LoadMenuTemplate() no menu resource, error code = %d\n", ::GetLastError());
        return FALSE;
    }
    if (!CreatePopupMenu()) {
        DebugLog(1, "[QxUI] DmMenu::LoadMenuTemplate() CreatePopupMenu fail, error code = %d\n", ::GetLastError());
        return FALSE;
    }
    RegisterMenu(m_hMenu, this);
    return BuildFromTemplate(data, ::SizeofResource(hInst, hRsrc), texts);
}

BOOL DmMenu::BuildFromTemplate(const BYTE* data, DWORD size, const DmMenuTexts* texts)
{
    size_t pos = 0;
    auto readWord = [&](WORD& w) {
        if (pos + sizeof(WORD) > size) return false;
        memcpy(&w, data + pos, sizeof w);
        pos += sizeof w;
        return true;
    };
    auto readText = [&](std::wstring& text) {
        text.clear();
        for (WORD ch; readWord(ch);) {
            if (!ch) return true;
            text += static_cast<wchar_t>(ch);
        }
        return false;
    };

    WORD version = 0, headerSize = 0;
    bool ok = readWord(version) && readWord(headerSize) && version == kStandardTemplateVersion;
    pos += headerSize;

    // Each open level, and whether its parent level ends with it.
    struct Level {
        DmMenu* menu;
        bool closesParent;
    };
    std::vector<Level> levels{{this, false}};
    while (ok && !levels.empty()) {
        WORD flags = 0, id = 0;
        std::wstring text;
        ok = readWord(flags) && ((flags & MF_POPUP) || readWord(id)) && readText(text);
        if (!ok) break;
        UINT itemFlags = flags & ~MF_END;
        DmMenu* level = levels.back().menu;
        if (flags & MF_POPUP) {
            auto* sub = new DmMenu;
            sub->m_iconX = m_iconX;
            sub->m_iconY = m_iconY;
            sub->m_bitmapBackground = m_bitmapBackground;
            sub->m_bUseBackground = m_bUseBackground;
            if (!sub->CreatePopupMenu()) {
                delete sub;
                ok = false;
                break;
            }
            RegisterMenu(sub->m_hMenu, sub);
            level->m_subMenus.push_back(sub);
            level->AppendItem(text.c_str(), itemFlags, reinterpret_cast<UINT_PTR>(sub->m_hMenu));
            levels.push_back({sub, (flags & MF_END) != 0});
            continue;
        }
        CString replacement;
        if (texts && id && texts->Lookup(id, replacement)) text = DmMenuWideFromAnsi(replacement);
        level->AppendItem(text.c_str(), itemFlags, id);
        if (flags & MF_END) {
            bool parentCloses;
            do {
                levels.back().menu->AlignTabs();
                parentCloses = levels.back().closesParent;
                levels.pop_back();
            } while (parentCloses && !levels.empty());
        }
    }
    if (!ok) {
        DebugLog(1, "[QxUI] DmMenu::LoadMenuTemplate() the menu template is malformed\n");
        DestroyMenuItems();
        return FALSE;
    }
    MakeTopLevelText();
    m_bTopLevelAsText = TRUE;
    return TRUE;
}

void DmMenu::MakeTopLevelText()
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        const DmMenuData* data = m_items[i];
        UINT flags = MF_BYPOSITION | MF_STRING | ((data->m_nFlags & MF_POPUP) ? MF_POPUP : 0);
        ::ModifyMenuW(m_hMenu, static_cast<UINT>(i), flags, data->m_nID, data->GetWideString());
    }
}

void DmMenu::AlignTabs()
{
    HDC hdc = ::GetDC(nullptr);
    CFont font;
    CreateMenuFont(font);
    HGDIOBJ old = ::SelectObject(hdc, font.m_hObject);
    int widest = 0;
    for (const DmMenuData* data : m_items) {
        const std::wstring& text = data->Text();
        widest = std::max(widest, TextWidth(hdc, text.substr(0, text.find(L'\t')) + L" "));
    }
    for (DmMenuData* data : m_items) {
        const std::wstring& text = data->Text();
        size_t tab = text.find(L'\t');
        if (tab == std::wstring::npos) continue;
        std::wstring left = text.substr(0, tab);
        for (int n = 0, width = TextWidth(hdc, left); width < widest && n < kMaxPaddingBlanks; ++n) {
            left += L' ';
            int wider = TextWidth(hdc, left);
            if (wider <= width) break;  // a font whose blank has no width
            width = wider;
        }
        data->SetWideString((left + text.substr(tab)).c_str());
    }
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
}

BOOL DmMenu::AppendItem(LPCSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageSource)
{
    return AppendItem(DmMenuWideFromAnsi(lpszText).c_str(), nFlags, nID, nImageSource);
}

BOOL DmMenu::AppendItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageSource)
{
    if (!m_hMenu) return FALSE;
    if (nID == 0)
        nFlags = MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    else
        nFlags |= MF_OWNERDRAW;
    if ((nFlags & MF_POPUP) && !FromMenuHandle(reinterpret_cast<HMENU>(nID)))
        RegisterMenu(reinterpret_cast<HMENU>(nID), this);

    auto* data = new DmMenuData;
    data->SetWideString(lpszText);
    data->m_nFlags = nFlags;
    data->m_nID = nID;
    const bool command = nID && !(nFlags & MF_POPUP);
    if (command && nImageSource >= 0) {
        data->m_nGlobalImage = RegisterToolbarImage(static_cast<UINT>(nImageSource), static_cast<UINT>(nID));
    } else if (command) {
        const auto& ids = State().imageIds;
        auto it = std::find(ids.begin(), ids.end(), static_cast<UINT>(nID));
        data->m_nGlobalImage = it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
    m_items.push_back(data);
    BOOL ok = ::AppendMenuW(m_hMenu, nFlags, nID, reinterpret_cast<LPCWSTR>(data));
    if (m_bTopLevelAsText) MakeTopLevelText();
    return ok;
}

// Images.

int DmMenu::AddSharedImage(HICON hIcon, UINT nID)
{
    MenuState& s = State();
    if (!s.images.m_hImageList && !s.images.Create(m_iconX, m_iconY, kImageListFlags, 1, 1)) {
        DebugLog(1, "[QxUI] DmMenu ImageList_Create fail\n");
        return -1;
    }
    int cx = m_iconX, cy = m_iconY;
    s.images.GetIconSize(&cx, &cy);
    const bool derived = UseXpLook() && s.threeImages;
    auto addDerived = [&](bool shadow, int replaceAt) {
        CBitmap bitmap;
        if (!bitmap.Attach(MakeDerivedImage(hIcon, cx, cy, shadow))) return false;
        if (replaceAt >= 0) {
            CBitmap mask;
            mask.Attach(MakeMask(bitmap, cx, cy, ::GetSysColor(COLOR_BTNFACE)));
            return ::ImageList_Replace(s.images, replaceAt, bitmap, mask) != FALSE;
        }
        if (::ImageList_AddMasked(s.images, bitmap, ::GetSysColor(COLOR_BTNFACE)) < 0) return false;
        s.imageIds.push_back(nID);
        return true;
    };

    auto it = std::find(s.imageIds.begin(), s.imageIds.end(), nID);
    if (it != s.imageIds.end()) {
        int index = static_cast<int>(it - s.imageIds.begin());
        s.images.Replace(index, hIcon);
        if (derived && index + 2 < static_cast<int>(s.imageIds.size()) && s.imageIds[index + 1] == nID &&
            s.imageIds[index + 2] == nID) {
            addDerived(false, index + 1);
            addDerived(true, index + 2);
        }
        return index;
    }
    int index = s.images.Add(hIcon);
    if (index < 0) {
        DebugLog(1, "[QxUI] DmMenu ImageList_ReplaceIcon fail for command %u\n", nID);
        return -1;
    }
    s.imageIds.push_back(nID);
    if (derived && addDerived(false, -1)) addDerived(true, -1);
    // Keep one id per image even when a derived copy could not be added.
    while (static_cast<int>(s.imageIds.size()) > s.images.GetImageCount()) s.imageIds.pop_back();
    return index;
}

BOOL DmMenu::LoadToolbarList(UINT nToolbarID, DmMenuToolBar& bar, CImageList& list)
{
    if (!bar.LoadToolbarResource(nToolbarID)) return FALSE;
    COLORREF mask = m_bUseBackground ? m_bitmapBackground : ::GetSysColor(COLOR_BTNFACE);
    if (!list.Create(bar.m_iWidth, bar.m_iHeight, kImageListFlags, 1, 1) || list.Add(&bar.Bitmap(), mask) < 0) {
        DebugLog(1, "[QxUI] DmMenu::LoadToolbarImages() ImageList_AddMasked fail for toolbar %u\n", nToolbarID);
        return FALSE;
    }
    return TRUE;
}

int DmMenu::RegisterToolbarImage(UINT nToolbarID, UINT nID)
{
    DmMenuToolBar bar;
    CImageList list;
    if (!LoadToolbarList(nToolbarID, bar, list)) return -1;
    int image = bar.ImageIndexOf(nID);
    HICON icon = image >= 0 ? list.ExtractIcon(image) : nullptr;
    if (!icon) return -1;
    int index = AddSharedImage(icon, nID);
    ::DestroyIcon(icon);
    return index;
}

BOOL DmMenu::LoadToolbarImages(UINT nToolbarID)
{
    DmMenuToolBar bar;
    CImageList list;
    if (!m_hMenu || !LoadToolbarList(nToolbarID, bar, list)) return FALSE;
    SetImageSize(std::max(m_iconX, bar.m_iWidth), std::max(m_iconY, bar.m_iHeight));
    for (UINT id : bar.Commands()) {
        if (id && ::GetMenuState(m_hMenu, id, MF_BYCOMMAND) != static_cast<UINT>(-1))
            ModifyItemImage(nullptr, id, &list, bar.ImageIndexOf(id));
    }
    return TRUE;
}

void DmMenu::SetImageSize(int cx, int cy)
{
    m_iconX = cx;
    m_iconY = cy;
    for (DmMenu* sub : m_subMenus) sub->SetImageSize(cx, cy);
}

void DmMenu::FindItems(UINT nID, std::vector<std::pair<DmMenu*, DmMenuData*>>& found)
{
    for (DmMenuData* data : m_items) {
        if (data->m_nFlags & MF_POPUP) {
            DmMenu* sub = FromMenuHandle(reinterpret_cast<HMENU>(data->m_nID));
            if (sub && sub != this) sub->FindItems(nID, found);
        } else if (data->m_nID == nID && !(data->m_nFlags & MF_SEPARATOR)) {
            found.emplace_back(this, data);
        }
    }
}

BOOL DmMenu::ModifyItemImage(LPCWSTR lpszText, UINT nID, CImageList* images, int nImage)
{
    int image = -1;
    if (images) {
        HICON icon = images->ExtractIcon(nImage);
        if (icon) {
            image = AddSharedImage(icon, nID);
            ::DestroyIcon(icon);
        }
    }
    std::vector<std::pair<DmMenu*, DmMenuData*>> found;
    FindItems(nID, found);
    if (found.empty()) {
        // Kept like any other record; matching with the real menu drops it again.
        auto* data = new DmMenuData;
        data->SetWideString(lpszText);
        data->m_nID = nID;
        data->m_nFlags = MF_OWNERDRAW;
        data->m_nGlobalImage = image;
        m_items.push_back(data);
        return FALSE;
    }
    BOOL ok = TRUE;
    for (auto& [menu, data] : found) {
        if (lpszText) data->SetWideString(lpszText);
        if (images) data->m_nGlobalImage = image;
        data->m_nFlags = (data->m_nFlags | MF_OWNERDRAW) & ~MF_BYPOSITION;
        ok &= ::ModifyMenuW(menu->m_hMenu, nID, MF_BYCOMMAND | data->m_nFlags, nID, reinterpret_cast<LPCWSTR>(data));
    }
    return ok;
}

// Destruction and matching with the real menu.

void DmMenu::ReleaseItems()
{
    for (DmMenu* sub : m_subMenus) {
        sub->ReleaseItems();
        UnregisterMenu(sub->m_hMenu, sub);
        sub->Detach();  // the handle goes with this menu's
        delete sub;
    }
    m_subMenus.clear();
    for (DmMenuData* data : m_items) {
        if (data->m_nFlags & MF_POPUP) UnregisterMenu(reinterpret_cast<HMENU>(data->m_nID), this);
        delete data;
    }
    m_items.clear();
    m_bTopLevelAsText = FALSE;
}

BOOL DmMenu::DestroyMenuItems()
{
    ReleaseItems();
    if (!m_hMenu) return FALSE;
    UnregisterMenu(m_hMenu, this);
    return DestroyMenu();
}

void DmMenu::SynchronizeMenu()
{
    for (DmMenuData* data : m_items) data->m_nSyncFlag = 0;
    std::vector<DmMenuData*> synced;
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ::GetMenuItemInfoW(m_hMenu, pos, TRUE, &info);
        const UINT state = ::GetMenuState(m_hMenu, pos, MF_BYPOSITION) & ~(MF_HILITE | MF_POPUP | 0xFF00u);
        std::wstring text;
        if (int n = ::GetMenuStringW(m_hMenu, pos, nullptr, 0, MF_BYPOSITION); n > 0) {
            text.resize(static_cast<size_t>(n) + 1);
            ::GetMenuStringW(m_hMenu, pos, text.data(), n + 1, MF_BYPOSITION);
            text.resize(static_cast<size_t>(n));
        }
        const bool popup = info.hSubMenu != nullptr;
        const bool separator = !popup && (info.fType & MFT_SEPARATOR);
        const UINT_PTR key = popup ? reinterpret_cast<UINT_PTR>(info.hSubMenu) : (separator ? 0 : info.wID);

        auto match = std::find_if(m_items.begin(), m_items.end(),
                                  [key](const DmMenuData* d) { return !d->m_nSyncFlag && d->m_nID == key; });
        DmMenuData* data = match == m_items.end() ? nullptr : *match;
        if (data) {
            data->m_nSyncFlag = 1;
            if (popup) {
                if (!text.empty()) data->SetWideString(text.c_str());
            } else if (separator) {
                ::ModifyMenuW(m_hMenu, pos, MF_BYPOSITION | data->m_nFlags, 0, reinterpret_cast<LPCWSTR>(data));
            } else {
                data->m_nFlags = state | MF_OWNERDRAW | MF_BYPOSITION;
                if (!text.empty()) data->SetWideString(text.c_str());
                ::ModifyMenuW(m_hMenu, pos, data->m_nFlags, key, reinterpret_cast<LPCWSTR>(data));
            }
        } else {
            data = new DmMenuData;
            data->SetWideString(text.c_str());
            data->m_nID = key;
            data->m_nFlags = state | MF_OWNERDRAW | MF_BYPOSITION | (separator ? MF_SEPARATOR : 0) | (popup ? MF_POPUP : 0);
            ::ModifyMenuW(m_hMenu, pos, data->m_nFlags, key, reinterpret_cast<LPCWSTR>(data));
        }
        synced.push_back(data);
    }
    for (DmMenuData* data : m_items)
        if (!data->m_nSyncFlag) delete data;
    m_items = std::move(synced);
}

LRESULT DmMenu::FindMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    DmMenu* menu = pMenu ? FromMenuHandle(pMenu->m_hMenu) : nullptr;
    if (!(nFlags & MF_POPUP) || !menu || menu->m_hMenu != pMenu->m_hMenu) return 0;
    if (static_cast<int>(menu->m_items.size()) != ::GetMenuItemCount(menu->m_hMenu)) menu->SynchronizeMenu();
    wchar_t key[3] = {L'&', static_cast<wchar_t>(nChar), 0};
    ::CharLowerW(key);
    for (size_t i = 0; i < menu->m_items.size(); ++i) {
        std::wstring text = menu->m_items[i]->Text();
        ::CharLowerW(text.data());
        if (text.find(key) != std::wstring::npos) return MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
    }
    return 0;
}

// Measuring and drawing.

void DmMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    const auto* data = reinterpret_cast<const DmMenuData*>(lpMIS->itemData);
    if (!data) return;
    const bool xp = UseXpLook();
    const int gap = (xp && State().threeImages) ? kGapXpThreeImages : kGapClassic;
    const int menuHeight = ::GetSystemMetrics(SM_CYMENU);
    if (data->m_nFlags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        lpMIS->itemHeight = std::max(menuHeight / 2, (m_iconY + gap) / 2);
        return;
    }
    CWnd* pMain = AfxGetMainWnd();
    HWND hWnd = pMain && pMain->m_hWnd ? pMain->m_hWnd : ::GetDesktopWindow();
    HDC hdc = ::GetDC(hWnd);
    CFont font;
    HGDIOBJ old = nullptr;
    if (g_nVersionCode >= kVersionFontsSelected) {
        CreateMenuFont(font);
        old = ::SelectObject(hdc, font.m_hObject);
    }
    const int width = TextWidth(hdc, data->Text());
    if (old) ::SelectObject(hdc, old);
    ::ReleaseDC(hWnd, hdc);
    lpMIS->itemWidth = xp ? width + m_iconX + gap + kXpMeasurePadding : width + 2 * m_iconX + 1;
    lpMIS->itemHeight = std::max(menuHeight, m_iconY + gap);
}

int DmMenu::ItemImage(const DmMenuData& data) const
{
    const int image = data.m_nGlobalImage;
    return image >= 0 && image < State().images.GetImageCount() ? image : -1;
}

void DmMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || lpDIS->CtlType != ODT_MENU || !lpDIS->itemData) return;
    const auto& data = *reinterpret_cast<const DmMenuData*>(lpDIS->itemData);
    const bool palette = (::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE) != 0;
    if (!palette && UseXpLook())
        DrawItemXp(lpDIS, data);
    else
        DrawItemClassic(lpDIS, data);
}

void DmMenu::DrawItemText(CDC* pDC, const DmMenuData& data, CRect rect, COLORREF color)
{
    std::wstring left, right;
    SplitAtTab(data.Text(), left, right);
    if (!right.empty()) rect.right -= m_iconX;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(color);
    ::DrawTextW(pDC->m_hDC, left.c_str(), static_cast<int>(left.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (!right.empty())
        ::DrawTextW(pDC->m_hDC, right.c_str(), static_cast<int>(right.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void DmMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDIS, const DmMenuData& data)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    const COLORREF back = ::GetSysColor(IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
    if (data.m_nFlags & MF_SEPARATOR) {
        FillSolid(pDC, item, back);
        CRect line(item);
        line.top += line.Height() / 2;
        pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool disabled = (lpDIS->itemState & ODS_GRAYED) != 0;
    const bool checked = (lpDIS->itemState & ODS_CHECKED) != 0;
    const bool selected = (lpDIS->itemState & ODS_SELECTED) && (!disabled || kSelectDisabledClassic);
    const bool frames = g_nVersionCode >= kVersionFontsSelected;
    const int image = ItemImage(data);
    const int dy = std::max(0, (item.Height() - m_iconY - 4) / 2);

    if (selected) {
        CRect fill(item);
        if (image >= 0 || checked) fill.left = item.left + m_iconX + kClassicSelectionIndent;
        FillSolid(pDC, fill, ::GetSysColor(COLOR_HIGHLIGHT));
        if (fill.left > item.left) FillSolid(pDC, CRect(item.left, item.top, fill.left, item.bottom), back);
    } else {
        FillSolid(pDC, item, back);
    }

    const CRect box(item.left + 1, item.top + dy + 1, item.left + m_iconX + 3, item.top + dy + m_iconY + 3);
    const CPoint imageAt(item.left + 2, item.top + dy + 2);
    if (image >= 0) {
        if (disabled) {
            DrawEmbossedImage(pDC, image, imageAt, CSize(m_iconX, m_iconY));
        } else {
            if (selected) {
                FillSolid(pDC, box, back);
                if (frames)
                    pDC->Draw3dRect(&box, ::GetSysColor(checked ? COLOR_BTNSHADOW : COLOR_3DHILIGHT),
                                    ::GetSysColor(checked ? COLOR_3DHILIGHT : COLOR_BTNSHADOW));
            } else if (checked) {
                FillSolid(pDC, box, LightenColor(back, kCheckedBoxLighten));
                if (frames) pDC->Draw3dRect(&box, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
            }
            DrawImage(pDC, image, imageAt);
        }
    } else if (checked) {
        CRect check(item.left + 1, item.top + dy + 2, item.left + 1 + m_iconX, item.top + dy + 2 + m_iconY);
        COLORREF fill = ::GetSysColor(IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
        FillSolid(pDC, check, selected ? fill : LightenColor(fill, kCheckedBoxLighten));
        if (frames) pDC->DrawEdge(&check, BDR_SUNKENOUTER, BF_RECT);
        DrawCheckMark(pDC, check, HasCheckedBitmap(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID),
                      ::GetSysColor(COLOR_MENUTEXT));
    }

    CRect text(item.left + m_iconX + kClassicTextIndent, item.top - 1, item.right, item.bottom - 1);
    if (!disabled) {
        DrawItemText(pDC, data, text, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    } else if (!selected) {
        CRect raised(text);
        raised.OffsetRect(1, 1);
        DrawItemText(pDC, data, raised, ::GetSysColor(COLOR_3DHILIGHT));
        DrawItemText(pDC, data, text, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        DrawItemText(pDC, data, text, back);
    }
}

void DmMenu::DrawItemXp(LPDRAWITEMSTRUCT lpDIS, const DmMenuData& data)
{
    CDC* pTarget = CDC::FromHandle(lpDIS->hDC);
    const CRect item(lpDIS->rcItem);
    const bool themed = IsThemedXp() != FALSE;
    const int gap = State().threeImages ? kGapXpThreeImages : kGapClassic;
    COLORREF column = ::GetSysColor(COLOR_BTNFACE);
    if (!themed) column = LightenColor(column, kColumnLighten);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const CRect col(item.left, item.top, item.left + m_iconX + gap, item.bottom);

    if (data.m_nFlags & MF_SEPARATOR) {
        FillSolid(pTarget, col, column);
        FillSolid(pTarget, CRect(col.right, item.top, item.right, item.bottom), window);
        CRect line(col.right, item.top + item.Height() / 2, item.right, item.bottom);
        pTarget->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool disabled = (lpDIS->itemState & ODS_GRAYED) != 0;
    const bool checked = (lpDIS->itemState & ODS_CHECKED) != 0;
    const bool selected = (lpDIS->itemState & ODS_SELECTED) && (!disabled || kSelectDisabledXp);

    // A disabled item is composed off-screen with the menu font.
    CFont font;
    std::unique_ptr<DmMenuMemDC> memDC;
    CDC* pDC = pTarget;
    if (disabled) {
        memDC = std::make_unique<DmMenuMemDC>(pTarget, &item);
        CreateMenuFont(font);
        memDC->SelectObject(&font);
        pDC = memDC.get();
    }

    const COLORREF selection = LightenColor(highlight, themed ? kXpSelectLightenThemed : kXpSelectLightenOther);
    if (selected) {
        FillSolid(pDC, item, selection);
        FrameSolid(pDC, item, highlight);
    } else {
        FillSolid(pDC, col, column);
        FillSolid(pDC, CRect(col.right, item.top, item.right, item.bottom), window);
    }

    CRect box(col);
    box.DeflateRect(1, 1);
    const CPoint imageAt(col.left + std::max(0, (col.Width() - m_iconX) / 2), item.top + std::max(0, (item.Height() - m_iconY) / 2));
    const int image = ItemImage(data);
    const auto& ids = State().imageIds;
    const bool threeImages = State().threeImages && image >= 0 && image + 2 < static_cast<int>(ids.size()) &&
                             ids[image + 1] == ids[image] && ids[image + 2] == ids[image];
    const COLORREF checkedFill = LightenColor(highlight, kXpCheckedLighten);
    if (image >= 0) {
        if (disabled) {
            FillSolid(pDC, box, column);
            DrawEmbossedImage(pDC, image, imageAt, CSize(m_iconX, m_iconY));
        } else if (!selected && !checked) {
            FillSolid(pDC, box, column);
            DrawImage(pDC, threeImages ? image + 1 : image, imageAt);
        } else if (!selected) {
            FillSolid(pDC, box, checkedFill);
            FrameSolid(pDC, box, highlight);
            DrawImage(pDC, image, CPoint(imageAt.x - 1, imageAt.y - 1));
        } else {
            FillSolid(pDC, box, selection);
            if (checked) {
                FrameSolid(pDC, box, highlight);
                DrawImage(pDC, image, CPoint(imageAt.x - 1, imageAt.y - 1));
            } else if (threeImages) {
                DrawImage(pDC, image + 2, CPoint(imageAt.x + 1, imageAt.y + 1));
                DrawImage(pDC, image, CPoint(imageAt.x - 1, imageAt.y - 1));
            } else {
                DrawImage(pDC, image, imageAt);
            }
        }
    } else if (checked) {
        CRect check(CPoint(col.left + (col.Width() - kXpCheckBoxSize) / 2, item.top + (item.Height() - kXpCheckBoxSize) / 2),
                    CSize(kXpCheckBoxSize, kXpCheckBoxSize));
        FillSolid(pDC, check, checkedFill);
        FrameSolid(pDC, check, highlight);
        DrawCheckMark(pDC, check, HasCheckedBitmap(reinterpret_cast<HMENU>(lpDIS->hwndItem), lpDIS->itemID),
                      ReadableOn(::GetSysColor(COLOR_MENUTEXT), checkedFill));
    }

    // The XP look fills with window and lightened highlight colours, not the menu's own: the
    // menu text is kept only where it stands out from them (a light one does not on the selection).
    COLORREF textColor = ReadableOn(::GetSysColor(COLOR_MENUTEXT), selected ? selection : window);
    if (disabled) {
        textColor = ::GetSysColor(COLOR_GRAYTEXT);
        if (!themed && !selected) textColor = LightenColor(textColor, kXpGrayTextLighten);
    }
    DrawItemText(pDC, data, CRect(col.right + kXpTextIndent, item.top - 1, item.right, item.bottom - 1), textColor);
}
