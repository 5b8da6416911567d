#include "skin/KelvoPageAboutDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "ui/DpiLayout.h"
#include "ui/LogFont.h"
#include "ui/StretchBitmap.h"

#include <vector>

IMPLEMENT_DYNCREATE(CKelvoPageAboutDlg, CDialog)

namespace {
constexpr COLORREF kValueColor = RGB(0x00, 0x3D, 0xAD);
constexpr COLORREF kTextColor = RGB(0x4F, 0x4F, 0x4F);
constexpr char kDpiFileAbout[] = "_dpiFileAbout";
constexpr ULONG kDriverNameBytes = 260;
constexpr int kOsWin8Code = 8;

// A 32-bit program on a 64-bit system reads the real system folder only with redirection off;
// on systems without the switch there is nothing to turn.
using PFN_Wow64EnableRedirection = BOOLEAN(WINAPI*)(BOOLEAN);
PFN_Wow64EnableRedirection RedirectionSwitch()
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<PFN_Wow64EnableRedirection>(
                        reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64EnableWow64FsRedirection")))
                  : nullptr;
}

bool NeedsRedirectionOff(BOOL isWow64, int osCode)
{
    return isWow64 && (osCode >= kOsVista || osCode == kOsWin8Code);
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_CLOSE, OnClose)
    ON_WM_CLOSE()  // a close request (the exit roads, Alt+F4) ends it as its button does
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CKelvoPageAboutDlg::~CKelvoPageAboutDlg()
{
    if (m_hBackground) ::DeleteObject(m_hBackground);
}

void CKelvoPageAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_TITLE, m_title);
    DDX_Control(pDX, IDC_ABOUT_NOTICE1, m_notice1);
    DDX_Control(pDX, IDC_ABOUT_NOTICE2, m_notice2);
    DDX_Control(pDX, IDC_ABOUT_DRIVER_LABEL, m_driverLabel);
    DDX_Control(pDX, IDC_ABOUT_DRIVER, m_driverValue);
    DDX_Control(pDX, IDC_ABOUT_UTILITY_LABEL, m_utilityLabel);
    DDX_Control(pDX, IDC_ABOUT_UTILITY, m_utilityValue);
    DDX_Control(pDX, IDC_ABOUT_CLOSE, m_btnClose);
}

BOOL CKelvoPageAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA valueFont = MakeLogFont("Tahoma", -11, 600);
    const LOGFONTA textFont = MakeLogFont("Tahoma", -11, 300);
    const LOGFONTA titleFont = MakeLogFont("Arial", -15, 1000);
    m_driverValue.SetTextFont(kValueColor, &valueFont);
    m_utilityValue.SetTextFont(kValueColor, &valueFont);
    for (CTransparentStatic* text : {&m_notice1, &m_notice2, &m_driverLabel, &m_utilityLabel})
        text->SetTextFont(kTextColor, &textFont);
    m_title.SetTextFont(kTextColor, &titleFont);
    m_title.SetSkinText(G_LangTable.IDS_LAB_QUIXEN_CONFIG_TITLE);
    m_notice1.SetSkinText(G_LangTable.IDS_LAB_QXUI_COPYRIGHT_00);
    m_notice2.SetSkinText(G_LangTable.IDS_LAB_QXUI_COPYRIGHT_01);
    m_driverLabel.SetSkinText(G_LangTable.IDS_LAB_QXUI_DRIVERVERSION);
    m_utilityLabel.SetSkinText(G_LangTable.IDS_LAB_QXUI_UTILITYVERSION);

    m_btnClose.LoadBitmaps(kCloseHoverId, kCloseNormalId, G_hKelvoImg, CFloatButton::kModeFocusPressed);
    if (G_hKelvoImg) {
        m_hBackground = static_cast<HBITMAP>(::LoadImageA(G_hKelvoImg, MAKEINTRESOURCEA(kBackgroundId), IMAGE_BITMAP, 0, 0, 0));
    }
    ApplyDpiLayout(this, kDpiFileAbout);
    GetClientRect(&m_rcClient);

    bool wow64 = false;
    const bool softAp = G_pHideDlg && G_pHideDlg->m_nOpMode == OP_MODE_AP;
    const CString path = softAp ? SoftApDriverPath(&wow64) : StationDriverPath(&wow64);
    m_strDriverVersion = path.IsEmpty() ? CString() : ReadFileVersion(path, wow64);
    m_driverValue.SetSkinText(m_strDriverVersion);
    m_utilityValue.SetSkinText(kUtilityVersion);
    return TRUE;
}

CString CKelvoPageAboutDlg::StationDriverPath(bool* wow64)
{
    char name[kDriverNameBytes] = {};
    QXWLAPI.QXWL_ReadDriverName(name, sizeof name);
    name[sizeof name - 1] = '\0';
    *wow64 = NeedsRedirectionOff(QXWLAPI.QXWL_IsWow64(), static_cast<int>(QXWLAPI.WinOS()));
    if (!name[0]) return CString();
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    CString path(folder);
    if (name[0] != '\\' && !path.IsEmpty() && path[path.GetLength() - 1] != '\\') path += '\\';
    return path + name;
}

CString CKelvoPageAboutDlg::SoftApDriverPath(bool* wow64)
{
    *wow64 = false;
    if (!QXAPAPI.QXAP_GetDriverPath) {
        DebugLog(1, "[QxUI] About: the soft-AP library is not loaded\n");
        return CString();
    }
    char path[MAX_PATH] = {};
    QXAPAPI.QXAP_GetDriverPath(&QXAPAPI.m_AdapterEntry, path);
    path[MAX_PATH - 1] = '\0';
    const int os = QXAPAPI.QXAP_GetWinOS ? static_cast<int>(QXAPAPI.QXAP_GetWinOS()) : 0;
    *wow64 = NeedsRedirectionOff(QXAPAPI.QXAP_IsWow64 ? QXAPAPI.QXAP_IsWow64() : FALSE, os);
    return CString(path);
}

CString CKelvoPageAboutDlg::ReadFileVersion(LPCSTR path, bool wow64)
{
    const PFN_Wow64EnableRedirection redirection = wow64 ? RedirectionSwitch() : nullptr;
    if (redirection) redirection(FALSE);
    CString version;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size) {
        std::vector<BYTE> data(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT infoSize = 0;
        if (::GetFileVersionInfoA(path, 0, size, data.data()) &&
            ::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) && info &&
            infoSize >= sizeof *info)
            version.Format("%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                           HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    }
    // Back on at once: the switch holds for the whole thread, library loading included.
    if (redirection) redirection(TRUE);
    if (version.IsEmpty()) DebugLog(3, "[QxUI] About: no version resource in \"%s\"\n", path);
    return version;
}

void CKelvoPageAboutDlg::OnClose()
{
    EndDialog(0);
}

BOOL CKelvoPageAboutDlg::OnEraseBkgnd(CDC* pDC)
{
    if (m_hBackground) return TRUE;  // OnPaint covers the whole client area
    return CDialog::OnEraseBkgnd(pDC);
}

void CKelvoPageAboutDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    StretchBitmapOver(dc, m_hBackground, m_rcClient);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CKelvoPageAboutDlg::OnNcHitTest(CPoint point)
{
    // The box is dragged by any point of its client area.
    const LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}
