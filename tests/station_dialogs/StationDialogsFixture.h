// Shared set-up of the classic station dialog tests: an application whose main window (the
// front window the dialogs report to) records the reports, the station object bound to the
// stand-in with the built-in world, and a hidden dialog object for the profile copy.
#pragma once
#include <gtest/gtest.h>
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "support/LangTableSnapshot.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace station_dialogs_test {

// Stands in for the skinned main window: records every report and answers 0.
class FrontWindow : public CWnd {
public:
    struct Report {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Report> reports;
    std::vector<UINT> watched;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        for (UINT m : watched)
            if (m == message) {
                reports.push_back({message, wParam, lParam});
                return 0;
            }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class StationDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_TRUE(sim.Reset());
        ASSERT_TRUE(QXWLAPI.LoadApi((testing_support::BinFolder() + "QxWLAPI.dll").c_str()));
        ASSERT_TRUE(front.CreateEx(0, "STATIC", "front", WS_POPUP, 0, 0, 800, 400, nullptr, nullptr));
        app.m_pMainWnd = &front;
        G_pHideDlg = &hide;
        sim.ClearJournal();
    }
    void TearDown() override
    {
        sim.WaitIdle();
        G_pHideDlg = nullptr;
        app.m_pMainWnd = nullptr;
        front.DestroyWindow();
        QXWLAPI.Release();
    }
    // A click of a dialog's button, as the button reports it.
    static void ClickButton(CWnd& dlg, int id)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.GetSafeHwnd(), id)));
    }
    void Watch(UINT message) { front.watched.push_back(message); }
    std::vector<std::string> Calls(const std::string& prefix) { return sim.JournalLines(prefix); }

    // Texts a test gives its own values go back after it.
    testing_support::LangTableSnapshot lang;
    CWinApp app{"KPL4471"};
    testing_support::StationSim sim;
    FrontWindow front;
    CHideDlg hide{nullptr};
};

}  // namespace station_dialogs_test
