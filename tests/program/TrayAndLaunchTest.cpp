// The real program under Wine: what a user sees of it from outside.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <mutex>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr DWORD kStartTimeoutMs = 20000;
constexpr char kHiddenCaption[] = "Quixen Utility";

std::string ProgramCommand() { return "\"" + BinFolder() + "KPL4471.exe\""; }

std::string EnglishText(const char* key)
{
    char text[256] = "";
    ::GetPrivateProfileStringA("Strings", key, "", text, sizeof text, (BinFolder() + "Languages\\Lang.ini").c_str());
    return text;
}

// Stands in for the shell's notification area: the platform hands every tray request to the
// top-level window of class "Shell_TrayWnd" as WM_COPYDATA (the request in dwData).
class FakeNotificationArea {
public:
    FakeNotificationArea()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "Shell_TrayWnd";
        ::RegisterClassA(&wc);
        s_self = this;
        m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~FakeNotificationArea()
    {
        ::DestroyWindow(m_hWnd);
        s_self = nullptr;
    }
    bool Exists() const { return m_hWnd != nullptr; }

    // Pumps until a request of that kind carries the text (as the platform's wide text).
    bool WaitForTip(DWORD request, const std::string& tip, DWORD timeoutMs)
    {
        std::wstring wide(tip.begin(), tip.end());
        return PumpUntil([&] {
            for (const auto& r : m_requests)
                if (r.first == request && FindWide(r.second, wide)) return true;
            return false;
        }, timeoutMs);
    }
    size_t Requests() const { return m_requests.size(); }

private:
    static bool FindWide(const std::vector<BYTE>& data, const std::wstring& text)
    {
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        for (size_t at = 0; at + bytes <= data.size(); at += 2)
            if (memcmp(&data[at], text.c_str(), bytes) == 0) return true;
        return false;
    }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_COPYDATA && s_self) {
            auto* cds = reinterpret_cast<COPYDATASTRUCT*>(l);
            const BYTE* p = static_cast<const BYTE*>(cds->lpData);
            s_self->m_requests.emplace_back(static_cast<DWORD>(cds->dwData), std::vector<BYTE>(p, p + cds->cbData));
            return TRUE;
        }
        return ::DefWindowProcA(h, m, w, l);
    }
    static inline FakeNotificationArea* s_self = nullptr;
    HWND m_hWnd = nullptr;
    std::vector<std::pair<DWORD, std::vector<BYTE>>> m_requests;
};

class RealProgram : public ::testing::Test {
protected:
    void TearDown() override { ::DeleteFileA(worldFile.c_str()); }
    void World(const std::string& text) { ScopedFile(worldFile, text).Keep(); }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
};
}  // namespace

TEST_F(RealProgram, AnAdapterNotLinkedShowsTheLostIconsTooltip)
{
    FakeNotificationArea tray;
    ASSERT_TRUE(tray.Exists());
    World("[World]\nOsCode=12\n");
    ChildProcess program(ProgramCommand(), BinFolder());
    EXPECT_TRUE(tray.WaitForTip(NIM_ADD, EnglishText("IDS_QUIXEN_NOTEXIST"), kStartTimeoutMs));
    EXPECT_TRUE(tray.WaitForTip(NIM_MODIFY, EnglishText("IDS_QUIXEN_LOST"), kStartTimeoutMs));
}

TEST_F(RealProgram, SecondStartBringsTheMainWindowBack)
{
    FakeNotificationArea tray;
    World("[World]\nOsCode=12\n");
    const std::string title = EnglishText("IDS_QUIXEN_CONFIG_TITLE");
    ChildProcess first(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", title.c_str(), first.Id(), kStartTimeoutMs);
    ASSERT_TRUE(main);
    // Closing the main window only hides it.
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(main));
    // The adapter counts as present from the first polling tick on, which refreshes the icon.
    ASSERT_TRUE(PumpUntil([&] { return tray.Requests() >= 3; }, kStartTimeoutMs));

    ChildProcess second(ProgramCommand(), BinFolder());
    EXPECT_TRUE(second.WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kStartTimeoutMs));
    EXPECT_EQ(1, CountTopLevelWindows(kHiddenCaption));
}

TEST_F(RealProgram, MissingStationLibraryNamesItsPathAndEnds)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kpl_nostation\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"KPL4471.exe", "KelvoIMG.dll"})
        ASSERT_TRUE(::CopyFileA((BinFolder() + file).c_str(), (folder + file).c_str(), FALSE));

    ChildProcess program("\"" + folder + "KPL4471.exe\"", folder);
    HWND box = WaitForWindow("#32770", "Load dll fail", program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(box);
    char text[MAX_PATH] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ((folder + "QxWLAPI.dll").c_str(), text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(0, CountTopLevelWindows(kHiddenCaption));

    for (const char* file : {"KPL4471.exe", "KelvoIMG.dll"}) ::DeleteFileA((folder + file).c_str());
    ::RemoveDirectoryA(folder.c_str());
}
