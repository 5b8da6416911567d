// A main window on the stand-in station library and the skin library, with the helpers its
// tests share: a page given a window from a template built in memory, visibility, clicks.
#pragma once
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "station_dialogs/StationDialogsFixture.h"
#include "core/QxUI2008App.h"
#include "support/LogCapture.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace skin_test {

// A child dialog template of the page size with a push button per id, built in memory so that
// a page class gets a window with the controls a test needs.
class MemoryTemplate {
public:
    explicit MemoryTemplate(std::initializer_list<WORD> buttonIds)
    {
        DLGTEMPLATE head{};
        head.style = WS_CHILD | DS_CONTROL;
        head.cdit = static_cast<WORD>(buttonIds.size());
        head.cx = 200;
        head.cy = 100;
        Append(&head, sizeof head);
        const WORD noMenuClassTitle[3] = {0, 0, 0};
        Append(noMenuClassTitle, sizeof noMenuClassTitle);
        short y = 4;
        for (WORD id : buttonIds) {
            Align();
            DLGITEMTEMPLATE item{};
            item.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
            item.x = 4;
            item.y = y;
            item.cx = 40;
            item.cy = 12;
            item.id = id;
            y = static_cast<short>(y + 14);
            Append(&item, sizeof item);
            const WORD buttonClassNoTitleNoData[4] = {0xFFFF, 0x0080, 0, 0};
            Append(buttonClassNoTitleNoData, sizeof buttonClassNoTitleNoData);
        }
    }
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Append(const void* data, size_t bytes)
    {
        const size_t at = m_bytes;
        m_bytes += bytes;
        m_words.resize((m_bytes + 3) / 4);
        memcpy(reinterpret_cast<BYTE*>(m_words.data()) + at, data, bytes);
    }
    void Align() { m_bytes = (m_bytes + 3) & ~size_t(3); m_words.resize(m_bytes / 4); }
    std::vector<DWORD> m_words;
    size_t m_bytes = 0;
};

class MainWindowTest : public station_dialogs_test::StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        m_savedSkin = G_hKelvoImg;
        G_hKelvoImg = ::LoadLibraryA((testing_support::BinFolder() + "KelvoIMG.dll").c_str());
        ASSERT_NE(nullptr, G_hKelvoImg);
        G_LangTable.IDS_HELP_FILE = "KPL-880Q.chm";
        // No default profile at start-up: the tests that want one ask for it.
        G_bCreateDefaultProfile = 0;
        ASSERT_TRUE(mainWindow.Create());
        app.m_pMainWnd = &mainWindow;  // the classic dialogs report to it
    }
    void TearDown() override
    {
        app.m_pMainWnd = &front;
        mainWindow.DestroyWindow();
        ::FreeLibrary(G_hKelvoImg);
        G_hKelvoImg = m_savedSkin;
        SetTokenGroupsQuery(nullptr);
        StationDialogsTest::TearDown();
    }
    static bool Visible(const CWnd* wnd) { return wnd && wnd->m_hWnd && ::IsWindowVisible(wnd->m_hWnd); }
    static bool HasWindow(const CWnd* wnd) { return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd); }
    // Gives a registered page a window of its own (its template may not be built yet).
    void GiveWindow(CDialog* page, const MemoryTemplate& tmpl, bool show)
    {
        ASSERT_TRUE(page->CreateIndirect(tmpl.Get(), &mainWindow));
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
    void Click(UINT id, UINT code = BN_CLICKED)
    {
        mainWindow.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(mainWindow.m_hWnd, id)));
    }
    // Which of the twelve numbered classic dialogs are visible.
    std::vector<int> VisibleClassic()
    {
        std::vector<int> shown;
        for (int n = 0; n < CKelvoPageUIDlg::kClassicDialogs; ++n)
            if (Visible(mainWindow.ClassicDialog(n))) shown.push_back(n);
        return shown;
    }

    CKelvoPageUIDlg mainWindow{nullptr};
    HMODULE m_savedSkin = nullptr;
};

}  // namespace skin_test
