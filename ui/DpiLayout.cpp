#include "ui/DpiLayout.h"
#include "ui/CFloatStatic.h"
#include "ui/CPictureStatic.h"
#include "ui/CSignalStatic.h"
#include "ui/FloatButton.h"
#include "ui/LogFont.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/StationLibraryView.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr char kLayoutFolder[] = "DpiConfig\\";
constexpr char kLineFormat[] = "%d,%d,%d,%d\r\n";
constexpr LONG kFixupFontHeight = -11;
constexpr LONG kFingerFontHeight = 15;
constexpr char kFingerFontFace[] = "Arial";
constexpr int kFingerInnerStaticId = 0xFFFF;
constexpr DWORD kModulePathChars = 1024;
// A page's file holds one short line per window: anything longer is not a layout file.
constexpr ULONGLONG kMaxLayoutFileBytes = 64 * 1024;

std::function<DpiLayoutConfig()> g_configSource;

DpiLayoutConfig CurrentConfig()
{
    if (g_configSource) return g_configSource();
    DpiLayoutConfig config;
    config.nOsCode = StationWinOsCode();
    config.strBeUsed = G_LangTable.IDS_DPI_BE_USED;
    config.strReady = G_LangTable.IDS_DPI_READY;
    return config;
}

CString ProgramFolder()
{
    char path[kModulePathChars] = "";
    DWORD n = ::GetModuleFileNameA(nullptr, path, kModulePathChars);
    if (n == 0 || n >= kModulePathChars) return CString();
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return path;
}

// The page, then all its descendants breadth-first (children in the window manager's order).
std::vector<HWND> CollectWindows(HWND hPage)
{
    std::vector<HWND> windows{hPage};
    for (size_t i = 0; i < windows.size(); ++i)
        for (HWND child = ::GetWindow(windows[i], GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            windows.push_back(child);
    return windows;
}

// The fix-up fonts are shared by description, so that laying pages out again (every mode switch
// rebuilds them) makes no new fonts.
HFONT CopyFont(HFONT source, void (*change)(LOGFONTA&))
{
    LOGFONTA lf{};
    if (!source || !::GetObjectA(source, sizeof lf, &lf)) return nullptr;
    change(lf);
    return SharedFont(lf);
}

void FontFixup(CWnd* pControl, RECT*)
{
    HFONT font = CopyFont(reinterpret_cast<HFONT>(pControl->SendMessage(WM_GETFONT)), [](LOGFONTA& lf) {
        lf.lfHeight = kFixupFontHeight;
        lf.lfCharSet = ANSI_CHARSET;
    });
    if (font) pControl->SetFont(font, TRUE);
}

void FloatButtonFixup(CWnd* pControl, RECT* pRect)
{
    static_cast<CFloatButton*>(pControl)->SizeToBitmap();
    CRect client;
    pControl->GetClientRect(&client);
    pRect->right = pRect->left + client.Width();
    pRect->bottom = pRect->top + client.Height();
}

void TakeClientSize(CWnd* pControl, RECT* pRect)
{
    CRect client;
    pControl->GetClientRect(&client);
    pRect->right = pRect->left + client.Width();
    pRect->bottom = pRect->top + client.Height();
}

void ResizeToRect(CWnd* pControl, RECT* pRect)
{
    pControl->SetWindowPos(HWND{}, 0, 0, pRect->right - pRect->left, pRect->bottom - pRect->top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The floating picture sizes itself to its bitmap and keeps that size.
void FloatStaticFixup(CWnd* pControl, RECT* pRect)
{
    static_cast<CFloatStatic*>(pControl)->SizeToBitmap();
    TakeClientSize(pControl, pRect);
}

// The meters lay their bars out anew for the new size.
void SignalStaticFixup(CWnd* pControl, RECT* pRect)
{
    ResizeToRect(pControl, pRect);
    static_cast<CSignalStatic*>(pControl)->Relayout();
}

void PictureStaticFixup(CWnd* pControl, RECT* pRect)
{
    ResizeToRect(pControl, pRect);
    static_cast<CPictureStatic*>(pControl)->Relayout();
}

void ListFixup(CWnd* pControl, RECT* pRect)
{
    CRect window;
    pControl->GetWindowRect(&window);
    HWND header = reinterpret_cast<HWND>(pControl->SendMessage(LVM_GETHEADER));
    const int columns = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    if (window.Width() > 0) {
        const int newWidth = pRect->right - pRect->left;
        for (int i = 0; i < columns; ++i) {
            int width = static_cast<int>(pControl->SendMessage(LVM_GETCOLUMNWIDTH, i));
            const LONGLONG scaled = static_cast<LONGLONG>(width) * newWidth / window.Width();
            pControl->SendMessage(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(static_cast<int>(scaled), 0));
        }
    }
    FontFixup(pControl, pRect);
}

void FingerFixup(CWnd* pControl, RECT*)
{
    HWND inner = ::GetDlgItem(pControl->m_hWnd, kFingerInnerStaticId);
    HFONT font = CopyFont(reinterpret_cast<HFONT>(pControl->SendMessage(WM_GETFONT)), [](LOGFONTA& lf) {
        lf.lfHeight = kFingerFontHeight;
        lf.lfWeight = FW_BOLD;
        lstrcpynA(lf.lfFaceName, kFingerFontFace, LF_FACESIZE);
    });
    if (font && inner) ::SendMessageA(inner, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// By run-time class, first match wins.
struct ClassFixup {
    const char* className;
    DpiFixup fixup;  // null: nothing to do
};
ClassFixup g_classFixups[] = {
    {"CTransparentStatic", nullptr},
    {"CFloatButton", FloatButtonFixup},
    {"CRussianFontComboBox", FontFixup},
    {"CDpiEdit", FontFixup},
    {"CImageQuickList", ListFixup},
    {"CFingerStatic", FingerFixup},
    {"CFloatStatic", FloatStaticFixup},
    {"CSignalStatic", SignalStaticFixup},
    {"CPictureStatic", PictureStaticFixup},
};

bool IsKindOfName(const CRuntimeClass* pClass, const char* name)
{
    for (; pClass; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, name) == 0) return true;
    return false;
}

BOOL RecordLayout(HWND hPage, const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() CreateFile fail for %s, error code = %d\n", path.GetString(), file.LastError());
        return FALSE;
    }
    CWnd* pMain = AfxGetMainWnd();
    const HWND hMain = pMain ? pMain->m_hWnd : nullptr;
    std::string lines;
    for (HWND hWnd : CollectWindows(hPage)) {
        HWND hParent = ::GetParent(hWnd);
        RECT r{};
        if (hWnd == hPage && hParent && hParent == hMain) {
            ::GetClientRect(hWnd, &r);
        } else if (hWnd == hPage) {
            // The page's line is read back as its client area, so its client area is recorded.
            ::GetClientRect(hWnd, &r);
            ::MapWindowPoints(hWnd, hParent, reinterpret_cast<POINT*>(&r), 2);
        } else {
            ::GetWindowRect(hWnd, &r);
            ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&r), 2);
        }
        char line[64];
        snprintf(line, sizeof line, kLineFormat, static_cast<int>(r.left), static_cast<int>(r.top),
                 static_cast<int>(r.right), static_cast<int>(r.bottom));
        lines += line;
    }
    if (!file.Write(lines.data(), static_cast<UINT>(lines.size())) || !file.Flush()) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() WriteFile fail for %s, error code = %d\n", path.GetString(), file.LastError());
        return FALSE;
    }
    return TRUE;
}

// Whether a rectangle can be a window of a page on this screen: not inverted (the page not
// empty either), no larger than the screen, and a control not farther from its page than that.
// Only the page's size is read: its place is where the program stood when the file was written
// (the main window's on the screen, perhaps a wider one).
bool IsPlausible(const RECT& r, bool page)
{
    const LONGLONG screenX = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), screenY = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const LONGLONG width = static_cast<LONGLONG>(r.right) - r.left, height = static_cast<LONGLONG>(r.bottom) - r.top;
    const LONGLONG least = page ? 1 : 0;
    const bool placed = page || (r.left >= -screenX && r.left <= screenX && r.top >= -screenY && r.top <= screenY);
    return width >= least && width <= screenX && height >= least && height <= screenY && placed;
}

// The rectangles of the file, or FALSE (logged) when it cannot be read, or a line is not four
// numbers or no window of a page on this screen.
BOOL ReadLayout(const CString& path, std::vector<RECT>& rects)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead)) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() CreateFile fail for %s, error code = %d\n", path.GetString(), file.LastError());
        return FALSE;
    }
    const ULONGLONG size = file.GetLength();
    if (size > kMaxLayoutFileBytes) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() %s is longer than %d bytes\n", path.GetString(), static_cast<int>(kMaxLayoutFileBytes));
        return FALSE;
    }
    std::string text(static_cast<size_t>(size), '\0');
    if (size > 0 && file.Read(text.data(), static_cast<UINT>(size)) != size) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() ReadFile fail for %s, error code = %d\n", path.GetString(), file.LastError());
        return FALSE;
    }
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        CString line(text.substr(start, end - start).c_str());
        start = end + 1;
        line.Trim();
        if (line.IsEmpty()) continue;
        int l = 0, t = 0, r = 0, b = 0;
        char extra = 0;
        if (sscanf(line, "%d,%d,%d,%d%c", &l, &t, &r, &b, &extra) != 4) {
            DebugLog(1, "[QxUI] ApplyDpiLayout() line %d of %s is not a rectangle: \"%.40s\"\n", number,
                     path.GetString(), line.GetString());
            return FALSE;
        }
        const RECT rect{l, t, r, b};
        if (!IsPlausible(rect, rects.empty())) {
            DebugLog(1, "[QxUI] ApplyDpiLayout() line %d of %s is no window of this screen: \"%.40s\"\n", number,
                     path.GetString(), line.GetString());
            return FALSE;
        }
        rects.push_back(rect);
    }
    return TRUE;
}

BOOL ApplyLayout(CWnd* pPage, const CString& path)
{
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        CString text;
        text.Format("Can't find %s", path.GetString());
        AfxMessageBox(text, MB_OK);
        return FALSE;
    }
    std::vector<RECT> rects;
    if (!ReadLayout(path, rects)) return FALSE;
    const std::vector<HWND> windows = CollectWindows(pPage->m_hWnd);
    if (rects.size() != windows.size()) {
        // The page gained or lost a control since the file was written.
        DebugLog(1, "[QxUI] ApplyDpiLayout() %s holds %d rectangles for %d windows; layout unchanged\n", path.GetString(),
                 static_cast<int>(rects.size()), static_cast<int>(windows.size()));
        return TRUE;
    }
    CRect window, client;
    pPage->GetWindowRect(&window);
    pPage->GetClientRect(&client);
    const CRect first(rects[0]);
    int cx = first.Width(), cy = first.Height();
    if (window.Size() != client.Size()) {
        cx += window.Width() - client.Width();
        cy += window.Height() - client.Height();
    }
    pPage->SetWindowPos(HWND{}, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (size_t i = 1; i < rects.size(); ++i) {
        CWnd* pControl = CWnd::FromHandle(windows[i]);
        RECT& r = rects[i];
        if (G_pfnDpiFixupControl) G_pfnDpiFixupControl(pControl, &r);
        ::SetWindowPos(windows[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}
}  // namespace

DpiFixup G_pfnDpiFixupControl = DpiFixupControl;

void SetDpiLayoutConfigSource(std::function<DpiLayoutConfig()> source)
{
    g_configSource = std::move(source);
}

void SetDpiClassFixup(LPCSTR lpszClassName, DpiFixup fixup)
{
    for (ClassFixup& entry : g_classFixups)
        if (lpszClassName && strcmp(entry.className, lpszClassName) == 0) entry.fixup = fixup;
}

void DpiFixupControl(CWnd* pControl, RECT* pRect)
{
    if (!pControl || !pRect) return;
    const CRuntimeClass* pClass = pControl->GetRuntimeClass();
    for (const ClassFixup& entry : g_classFixups) {
        if (!IsKindOfName(pClass, entry.className)) continue;
        if (entry.fixup) entry.fixup(pControl, pRect);
        return;
    }
}

int ApplyDpiLayout(CWnd* pPage, const CString& strFileName)
{
    const DpiLayoutConfig config = CurrentConfig();
    if (config.nOsCode >= kDpiOsCodeNoLayout) return 0;
    if (config.strBeUsed == "0" || config.strBeUsed.IsEmpty()) return 0;
    if (!pPage || !pPage->m_hWnd) return 0;
    const CString folder = config.strProgramFolder.IsEmpty() ? ProgramFolder() : config.strProgramFolder;
    if (folder.IsEmpty()) {
        DebugLog(1, "[QxUI] ApplyDpiLayout() GetModuleFileName fail, error code = %d\n", ::GetLastError());
        return 0;
    }
    const CString path = folder + kLayoutFolder + strFileName;
    if (config.strReady != "1") {
        return RecordLayout(pPage->m_hWnd, path);
    }
    return ApplyLayout(pPage, path);
}
