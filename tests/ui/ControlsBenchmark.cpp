// Measures (never asserts) what the controls cost: drawing a visible page of a 1,000-row
// owner-data list, and one step of the scrolling histogram.
#include "framework/Afx.h"
#include "ui/CMorviStaticHistogram.h"
#include "ControlsHost.h"
#include "DibCanvas.h"
#include "ListHost.h"

#include <chrono>
#include <cstdio>

namespace {
constexpr int kRows = 1000;
constexpr int kRounds = 200;

using Clock = std::chrono::steady_clock;

double MillisecondsPerRound(Clock::time_point start, int rounds)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

void ListPage()
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        const int row = cell.GetItem();
        if (cell.GetSubItem() == 0) {
            cell.m_strText.Format("Network %04d", row);
            cell.m_bCheckBox = true;
            cell.m_bBold = row % 5 == 0;
        } else {
            cell.m_nProgressMax = 100;
            cell.m_nProgressValue = (row * 37) % 101;
            cell.m_strText.Format("%d%%", cell.m_nProgressValue);
        }
    };
    if (!host.Open(kRows, {180, 180})) return;
    CQuickList& list = host.List();
    CRect client;
    list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    list.EnsureVisible(kRows / 2, FALSE);
    host.ClearRequests();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    const double ms = MillisecondsPerRound(start, kRounds);
    std::printf("owner-data list, %d rows, visible page of %d rows x 2 columns: %.3f ms per page (%zu cell requests per page)\n",
                kRows, list.GetCountPerPage(), ms, host.requests.size() / kRounds);
}

// The same page of the platform's list view alone (its own drawing, no cells), for comparison.
void PlainListPage()
{
    ListHost host;
    if (!host.Open(0, {})) return;
    CRect area;
    host.List().GetWindowRect(&area);
    host.ScreenToClient(&area);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, area.left,
                                  area.top, area.Width(), area.Height(), host.m_hWnd, nullptr, nullptr, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 180;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    ::SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    ::SendMessageA(list, LVM_SETITEMCOUNT, kRows, 0);
    CRect client;
    ::GetClientRect(list, &client);
    DibCanvas canvas(client.Width(), client.Height());
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) ::SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    std::printf("the platform's list view alone, same page with empty cells: %.3f ms per page\n", MillisecondsPerRound(start, kRounds));
}

void HistogramStep()
{
    ControlsHost host;
    CMorviStaticHistogram graph;
    if (!host.Open(&graph, IDC_UI_HISTOGRAM)) return;
    graph.SetLabelWidth(50);
    graph.SetGridRows(2);
    graph.SetLabel(0, "Max");
    graph.SetRangeMax(100.0);
    CRect client;
    graph.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        graph.AddValue(i % 100);
        graph.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    }
    std::printf("histogram %ldx%ld, one step (AddValue with its repaint, then the picture): %.3f ms per step\n",
                client.Width(), client.Height(), MillisecondsPerRound(start, kRounds));
}
}  // namespace

int main()
{
    ListPage();
    PlainListPage();
    HistogramStep();
    return 0;
}
