#include "framework/CWinApp.h"
#include "framework/CWnd.h"

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;

CString ModuleBaseName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind('\\') + 1);
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}
}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    g_pApp = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_appName = lpszAppName ? CString(lpszAppName) : ModuleBaseName();
    m_pszAppName = m_appName;
    m_lpCmdLine = m_cmdLine.GetBuffer(0);
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::SetCommandLine(LPCSTR whole)
{
    // Skip the program's name (quoted or not) and the one blank that separates it from the
    // arguments; everything after it is the command line, exactly as typed.
    const char* p = whole ? whole : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    if (*p == ' ' || *p == '\t') ++p;
    m_cmdLine = p;
    m_lpCmdLine = m_cmdLine.GetBuffer(0);
}

int CWinApp::Run()
{
    while (::GetMessageA(&m_msgCur, nullptr, 0, 0) > 0) {
        if (!AfxPreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
    }
    return ExitInstance();
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = m_registryKey;
    m_pszProfileName = m_pszAppName;
}

HKEY CWinApp::OpenSectionKey(LPCSTR section, bool create)
{
    if (m_registryKey.IsEmpty() || !section) return nullptr;
    CString path;
    path.Format("Software\\%s\\%s\\%s", m_registryKey.GetString(), m_appName.GetString(), section);
    HKEY key = nullptr;
    LONG rc = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                     : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int nDefault)
{
    HKEY key = OpenSectionKey(section, false);
    if (!key) return nDefault;
    DWORD value = 0, type = 0, size = sizeof value;
    LONG rc = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    return (rc == ERROR_SUCCESS && type == REG_DWORD) ? value : static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR lpszDefault)
{
    CString fallback(lpszDefault);
    HKEY key = OpenSectionKey(section, false);
    if (!key) return fallback;
    DWORD type = 0, size = 0;
    CString result = fallback;
    if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        CString value;
        char* buf = value.GetBufferSetLength(static_cast<int>(size) + 1);
        if (::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS) {
            value.ReleaseBuffer();
            result = value;
        }
    }
    ::RegCloseKey(key);
    return result;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int nValue)
{
    HKEY key = OpenSectionKey(section, true);
    if (!key) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG rc = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    HKEY key = OpenSectionKey(section, true);
    if (!key) return FALSE;
    LONG rc = value ? ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1)
                    : ::RegDeleteValueA(key, entry);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() { return g_pApp ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return g_hResource ? g_hResource : AfxGetInstanceHandle(); }

void AfxSetResourceHandle(HINSTANCE hInst) { g_hResource = hInst; }

LPCSTR AfxGetAppName() { return g_pApp ? g_pApp->m_pszAppName : ""; }

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_nCmdShow = nCmdShow;
    pApp->SetCommandLine(::GetCommandLineA());
    if (!pApp->InitInstance()) return pApp->ExitInstance();
    return pApp->Run();
}
