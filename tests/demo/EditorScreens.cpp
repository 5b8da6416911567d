// Shows one page of the classic profile or security editor on the stand-in station library, in a
// window of its own, for a look on a display:
//   scripts/screenshot editor_screens.exe shot.png EDITOR PAGE [OSCODE] [pacs]
// EDITOR: profile or security. PAGE: system, auth, wapi, identity, token (the identity page of
// EAP-FAST with its password modes), fast, client, server, sso; md5wpa2 (security editor: the
// 802.1X page after MD5-Challenge beside WEP gave way to WPA2; OSCODE below 10 offers MD5);
// md5ttls (profile editor: the 802.1X page of a stored TTLS profile edited right after a stored
// MD5-Challenge one; OSCODE below 10).
// OSCODE: the operating-system code the library reports (12 when not given). "pacs" fills the
// current folder with more PAC files than a profile keeps, so that the EAP-FAST page says so.
// On the system page, "dropdown" drops the SSID list (of a scan of the stand-in's networks) and
// "menu" opens the network-type menu with its first item highlighted.
#include "framework/Afx.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/CProfileEditorDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "contract/StationContract.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {
constexpr DWORD kShownMs = 60000;  // the screenshot is taken meanwhile
constexpr int kPacFiles = kPacListMax + 3;
constexpr UINT kOpenListDelayMs = 2000;

struct Choice {
    std::string editor = "profile";
    std::string page = "system";
    LONG osCode = 12;
    bool pacs = false;
    bool dropdown = false;
    bool menu = false;
};

Choice ParseCommandLine(LPCSTR commandLine)
{
    Choice choice;
    std::istringstream words(commandLine ? commandLine : "");
    std::string word;
    int position = 0;
    while (words >> word) {
        if (word == "pacs") choice.pacs = true;
        else if (word == "dropdown") choice.dropdown = true;
        else if (word == "menu") choice.menu = true;
        else if (position == 0) choice.editor = word, ++position;
        else if (position == 1) choice.page = word, ++position;
        else choice.osCode = std::stol(word);
    }
    return choice;
}

void MakePacFolder()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "editor_screens_pacs";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kPacFiles; ++i) std::ofstream(folder + "\\office" + std::to_string(i) + ".pac") << "pac";
    ::SetCurrentDirectoryA(folder.c_str());
}

// Chooses the method a page is seen with and brings the page to the front.
void Show8021XPage(CPage8021XDlg& page, const std::string& name)
{
    if (name == "token") {
        page.OnEapFast();
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "alice");
        page.ClickTab(CPage8021XDlg::kTabIdentity);
    } else if (name == "fast") {
        page.OnEapFast();
        page.ClickTab(CPage8021XDlg::kTabEapFast);
    } else if (name == "client") {
        page.OnEapTls();
        page.ClickTab(CPage8021XDlg::kTabClientCert);
    } else if (name == "server") {
        page.OnEapPeap();
        page.m_pPageServerCert->bUseServerCert = 1;
        page.m_pPageServerCert->strServerName = "radius.quixen.example";
        page.m_pPageServerCert->EnableControls();
        page.ClickTab(CPage8021XDlg::kTabServerCert);
    } else if (name == "sso") {
        page.OnEapPeap();
        page.ClickTab(CPage8021XDlg::kTabSso);
    } else {
        page.OnEapPeap();
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "alice");
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "secret");
        page.ClickTab(CPage8021XDlg::kTabIdentity);
    }
}

// As the main window prepares an added profile, then its OK.
void StoreNew(CProfileEditorDlg& editor, const char* name, const char* id, const std::function<void()>& choose)
{
    editor.ShowWindow(SW_HIDE);
    editor.ShowWindow(SW_SHOW);
    editor.m_pPageSystemConfig->LoadFromScanEntry(name, id);
    editor.m_pPageAuthEncry->ResetToOpen();
    editor.m_pPage8021X->ResetToDefaults();
    editor.m_bNewProfile = 1;
    editor.m_bEditing = 0;
    editor.m_pPageSystemConfig->SetDlgItemText(IDC_SYS_SSID, "Quixen-Corp");
    choose();
    editor.OnOK();
}

// As the main window prepares the edit of a stored profile.
void EditStored(CProfileEditorDlg& editor, const char* name)
{
    editor.ShowWindow(SW_HIDE);
    editor.ShowWindow(SW_SHOW);
    editor.m_pPageSystemConfig->m_strProfileName = name;
    editor.m_pPageSystemConfig->m_strInitialProfileName = name;
    editor.LoadProfile(name);
    editor.m_pPageSystemConfig->LoadFromScanEntryEx();
    editor.m_pPageAuthEncry->ApplyModel();
    editor.m_pPage8021X->LoadSettings();
    editor.m_bNewProfile = 0;
    editor.m_bEditing = 1;
    editor.FreeProfileBuffer();
}

void EditTtlsAfterMd5(CProfileEditorDlg& editor)
{
    CPageAuthEncryDlg& auth = *editor.m_pPageAuthEncry;
    CPage8021XDlg& page = *editor.m_pPage8021X;
    StoreNew(editor, "OldMd5", "1", [&] {
        auth.OnAuthOpen();
        auth.OnEncryNone();
        auth.CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
        auth.OnCheck8021X();
        page.OnEapMd5();
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "md5-user");
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "md5-pass");
    });
    StoreNew(editor, "Corp", "2", [&] {
        auth.OnAuthWpa2();
        auth.OnEncryAes();
        page.OnEapTtls();
        page.OnTtlsTunnelPap();
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "ttls-user");
        page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "secret");
    });
    EditStored(editor, "OldMd5");
    EditStored(editor, "Corp");
    editor.GetTabButton(CProfileEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
    page.ClickTab(CPage8021XDlg::kTabIdentity);
}

// The page and the choice the timer below acts on.
HWND s_listPage;
bool s_openMenu;

void CALLBACK OpenSystemPageListNow(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (!s_openMenu) {
        ::SendDlgItemMessageA(s_listPage, IDC_SYS_SSID, CB_SHOWDROPDOWN, TRUE, 0);
        return;
    }
    ::PostMessageA(s_listPage, WM_KEYDOWN, VK_DOWN, 0);
    ::SendDlgItemMessageA(s_listPage, IDC_SYS_NETTYPE, BM_CLICK, 0, 0);
}

class CEditorScreensApp : public CWinApp {
public:
    CEditorScreensApp() : CWinApp("KPL4471") {}

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        const Choice choice = ParseCommandLine(m_lpCmdLine);
        if (choice.pacs) MakePacFolder();
        LoadLanguageStrings();
        testing_support::StationSim sim;
        if (!sim.Loaded() || !sim.Reset("[World]\nOsCode=" + std::to_string(choice.osCode) + "\n")) return FALSE;
        if (!QXWLAPI.LoadApi((testing_support::BinFolder() + "QxWLAPI.dll").c_str())) return FALSE;

        CWnd frame;
        const CString caption = CString("Editor: ") + choice.editor.c_str() + " / " + choice.page.c_str();
        if (!frame.CreateEx(0, "STATIC", caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 820, 420,
                            nullptr, nullptr))
            return FALSE;
        m_pMainWnd = &frame;
        if (choice.editor == "security") ShowSecurityEditor(frame, choice);
        else ShowProfileEditor(frame, choice, sim);
        m_pMainWnd = nullptr;
        frame.DestroyWindow();
        QXWLAPI.Release();
        return FALSE;
    }

private:
    template <class Editor>
    void Place(Editor& editor, CWnd& frame)
    {
        CRect client, area;
        frame.GetClientRect(&client);
        editor.GetWindowRect(&area);
        frame.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, area.Width() + 8, area.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
        editor.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }

    // The stand-in's networks into the repository, as the survey's scan leaves them.
    static void ScanIntoRepository(testing_support::StationSim& sim)
    {
        QXWLAPI.QXWL_SiteSurveyScan(nullptr);
        sim.WaitIdle(testing_support::kWaitBoundMs);
        std::vector<BYTE> list;
        if (ReadSiteSurveyList(QXWLAPI.QXWL_SiteSurveyQuery, list, "editor_screens"))
            QXWLAPI.UpdateRepositBssidList(list.data(), static_cast<ULONG>(list.size()));
    }

    // Drops the SSID list, or opens the network-type menu with its first item highlighted (the
    // key waits in the queue for the menu's own loop, which the click enters and stays in). Done
    // once the window is shown and active, which would close a list dropped before.
    static void OpenSystemPageList(HWND page, const Choice& choice)
    {
        s_listPage = page;
        s_openMenu = choice.menu;
        if (!choice.dropdown && !choice.menu) return;
        ::SetTimer(nullptr, 0, kOpenListDelayMs, OpenSystemPageListNow);
    }

    void ShowProfileEditor(CWnd& frame, const Choice& choice, testing_support::StationSim& sim)
    {
        if (choice.dropdown) ScanIntoRepository(sim);
        CProfileEditorDlg editor(&frame);
        if (!editor.Create(CProfileEditorDlg::IDD, &frame)) return;
        Place(editor, frame);
        editor.m_pPageSystemConfig->LoadFromScanEntry("Office", "1");
        editor.m_pPageAuthEncry->ResetToOpen();
        editor.m_pPage8021X->ResetToDefaults();
        editor.m_bNewProfile = 1;
        if (choice.page == "auth") {
            editor.GetTabButton(CProfileEditorDlg::kTabAuth)->SendMessage(BM_CLICK);
        } else if (choice.page == "md5ttls") {
            EditTtlsAfterMd5(editor);
        } else if (choice.page != "system") {
            editor.m_pPageAuthEncry->OnAuthWpa2();
            editor.m_pPageAuthEncry->OnEncryAes();
            editor.GetTabButton(CProfileEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
            Show8021XPage(*editor.m_pPage8021X, choice.page);
        } else {
            OpenSystemPageList(editor.m_pPageSystemConfig->m_hWnd, choice);
        }
        testing_support::PumpFor(kShownMs);
        editor.DestroyWindow();
    }

    void ShowSecurityEditor(CWnd& frame, const Choice& choice)
    {
        CSecurityEditorDlg editor(&frame);
        if (!editor.Create(CSecurityEditorDlg::IDD, &frame)) return;
        Place(editor, frame);
        editor.m_pPage8021X->ResetToDefaults();
        if (choice.page == "wapi") {
            editor.GetTabButton(CSecurityEditorDlg::kTabWapi)->EnableWindow(TRUE);
            editor.GetTabButton(CSecurityEditorDlg::kTabWapi)->ShowWindow(SW_SHOW);
            editor.GetTabButton(CSecurityEditorDlg::kTabWapi)->SendMessage(BM_CLICK);
        } else if (choice.page == "md5wpa2") {
            CPageAuthEncryDlg& auth = *editor.m_pPageAuthEncry;
            auth.OnAuthOpen();
            auth.OnEncryWep();
            auth.CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
            auth.OnCheck8021X();
            editor.m_pPage8021X->OnEapMd5();
            auth.OnAuthWpa2();
            auth.OnEncryAes();
            editor.GetTabButton(CSecurityEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
        } else if (choice.page != "auth" && choice.page != "system") {
            editor.m_pPageAuthEncry->OnAuthWpa2();
            editor.m_pPageAuthEncry->OnEncryAes();
            editor.GetTabButton(CSecurityEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
            Show8021XPage(*editor.m_pPage8021X, choice.page);
        }
        testing_support::PumpFor(kShownMs);
        editor.DestroyWindow();
    }
};

CEditorScreensApp theApp;
}  // namespace
