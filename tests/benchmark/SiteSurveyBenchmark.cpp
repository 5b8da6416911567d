// From a finished scan to the site survey's list filled and its visible page drawn, for worlds of
// 50, 250 and 1,000 networks, beside the platform's own list view filled with the same rows in
// the same run. A measurement, not a test: it prints and asserts nothing about time.
#include "skin/MainWindowFixture.h"
#include "skin/KelvoPageSiteSurveyDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {
constexpr int kRounds = 10;
constexpr int kWorlds[] = {50, 250, 1000};

std::string World(int networks)
{
    std::string world;
    for (int i = 0; i < networks; ++i) {
        char section[160];
        snprintf(section, sizeof section, "[Network%d]\nSsid=Net-%04d\nBssid=02:00:00:00:%02X:%02X\nChannel=%d\nRssi=%d\n",
                 i, (i * 7919) % networks, i >> 8, i & 0xFF, 1 + i % 11, -40 - i % 55);
        world += section;
    }
    return world;
}

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class SiteSurveyBenchmark : public skin_test::MainWindowTest {};
}  // namespace

TEST_F(SiteSurveyBenchmark, ScanDoneToVisiblePageBesideThePlatformList)
{
    for (int networks : kWorlds) {
        ASSERT_TRUE(sim.Load(World(networks)));
        mainWindow.ShowSiteSurveyTab();
        CKelvoPageSiteSurveyDlg& survey = *mainWindow.m_pPageSiteSurveyDlg;
        sim.WaitIdle();
        PumpUntil([&] { return survey.m_bScanDone == 1; }, 10000);
        PumpFor(50);
        const std::vector<SURVEY_LIST_ENTRY> rows = survey.m_Entries;

        // The platform's list view in the same place, holding the same texts itself.
        CRect area;
        survey.m_list.GetWindowRect(&area);
        survey.ScreenToClient(&area);
        HWND bare = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, area.left, area.top,
                                      area.Width(), area.Height(), survey.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, bare);
        for (int c = 0; c < CKelvoPageSiteSurveyDlg::kColumns; ++c) {
            LVCOLUMNA column{};
            column.mask = LVCF_WIDTH;
            column.cx = area.Width() / CKelvoPageSiteSurveyDlg::kColumns;
            ::SendMessageA(bare, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
        }
        ::ShowWindow(bare, SW_HIDE);

        double survey_ms = 0, bare_ms = 0;
        for (int round = 0; round < kRounds; ++round) {
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            mainWindow.SendMessage(MSG_SITESURVEY_DONE, 0, 0);
            survey.m_list.UpdateWindow();
            ::QueryPerformanceCounter(&end);
            survey_ms += Milliseconds(start, end);

            survey.m_list.ShowWindow(SW_HIDE);
            ::ShowWindow(bare, SW_SHOW);
            ::QueryPerformanceCounter(&start);
            ::SendMessageA(bare, WM_SETREDRAW, FALSE, 0);
            ::SendMessageA(bare, LVM_DELETEALLITEMS, 0, 0);
            for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
                CString signal;
                signal.Format("%d%%", static_cast<int>(rows[r].nSignal));
                const CString texts[] = {"", rows[r].strSsid, rows[r].strChannel, signal};
                LVITEMA item{};
                item.mask = LVIF_TEXT;
                item.iItem = r;
                item.pszText = const_cast<char*>(texts[0].GetString());
                ::SendMessageA(bare, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
                for (int c = 1; c < CKelvoPageSiteSurveyDlg::kColumns; ++c) {
                    item.iSubItem = c;
                    item.pszText = const_cast<char*>(texts[c].GetString());
                    ::SendMessageA(bare, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
                }
            }
            ::SendMessageA(bare, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(bare, nullptr, TRUE);
            ::UpdateWindow(bare);
            ::QueryPerformanceCounter(&end);
            bare_ms += Milliseconds(start, end);
            ::ShowWindow(bare, SW_HIDE);
            survey.m_list.ShowWindow(SW_SHOW);
        }
        printf("%4d networks, %4u listed: scan done to page drawn %.2f ms; platform list filled and drawn %.2f ms\n",
               networks, static_cast<unsigned>(rows.size()), survey_ms / kRounds, bare_ms / kRounds);
        ::DestroyWindow(bare);
        EXPECT_GT(rows.size(), 0u);
    }
}
