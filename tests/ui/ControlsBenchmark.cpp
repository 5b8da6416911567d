// Measures (never asserts) what the controls cost: drawing a visible page of a 1,000-row
// owner-data list, and one step of the scrolling histogram.
#include "framework/Afx.h"
#include "ui/CMorviStaticHistogram.h"
#include "ControlsHost.h"
#include "DibCanvas.h"
#include "ListHost.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace {
constexpr int kRows = 1000;
constexpr int kRounds = 200;

using Clock = std::chrono::steady_clock;

double MillisecondsPerRound(Clock::time_point start, int rounds)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

// The machine is shared: the fastest of a few batches is the figure least disturbed by others.
constexpr int kBatches = 5;
constexpr int kRoundsPerBatch = 40;
double BestOfBatches(const std::function<void()>& round)
{
    double best = 0;
    for (int batch = 0; batch < kBatches; ++batch) {
        const auto start = Clock::now();
        for (int i = 0; i < kRoundsPerBatch; ++i) round();
        const double ms = MillisecondsPerRound(start, kRoundsPerBatch);
        if (batch == 0 || ms < best) best = ms;
    }
    return best;
}

using CellFill = std::function<void(CQuickList::CListItemData&)>;

// Milliseconds per drawing of the visible page of a 1,000-row list whose cells `fill` gives.
double ListPageMs(const CellFill& fill, int* pageRows = nullptr, size_t* requestsPerPage = nullptr)
{
    ListHost host;
    host.fill = fill;
    if (!host.Open(kRows, {180, 180})) return 0;
    CQuickList& list = host.List();
    CRect client;
    list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    list.EnsureVisible(kRows / 2, FALSE);
    host.ClearRequests();
    const double ms = BestOfBatches([&] {
        list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    });
    if (pageRows) *pageRows = list.GetCountPerPage();
    if (requestsPerPage) *requestsPerPage = host.requests.size() / (kBatches * kRoundsPerBatch);
    return ms;
}

// The survey's kind of page: a name with a check box (every fifth bold) and a signal bar.
void SurveyCell(CQuickList::CListItemData& cell)
{
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
}

double ListPage()
{
    int rows = 0;
    size_t requests = 0;
    const double ms = ListPageMs(SurveyCell, &rows, &requests);
    std::printf("owner-data list, %d rows, visible page of %d rows x 2 columns: %.3f ms per page (%zu cell requests per page)\n",
                kRows, rows, ms, requests);
    // What the page's cost is made of: each line adds one kind of content to the one before.
    const double empty = ListPageMs([](CQuickList::CListItemData&) {});
    const double text = ListPageMs([](CQuickList::CListItemData& cell) {
        cell.m_strText.Format(cell.GetSubItem() == 0 ? "Network %04d" : "%d%%", cell.GetItem());
    });
    const double checks = ListPageMs([](CQuickList::CListItemData& cell) {
        cell.m_strText.Format(cell.GetSubItem() == 0 ? "Network %04d" : "%d%%", cell.GetItem());
        cell.m_bCheckBox = cell.GetSubItem() == 0;
    });
    const double bold = ListPageMs([](CQuickList::CListItemData& cell) {
        cell.m_strText.Format(cell.GetSubItem() == 0 ? "Network %04d" : "%d%%", cell.GetItem());
        cell.m_bCheckBox = cell.GetSubItem() == 0;
        cell.m_bBold = cell.GetSubItem() == 0 && cell.GetItem() % 5 == 0;
    });
    std::printf("  of which: cell requests and backgrounds (empty cells) %.3f ms, texts +%.3f ms, check boxes +%.3f ms, "
                "bold names +%.3f ms, signal bars +%.3f ms\n",
                empty, text - empty, checks - text, bold - checks, ms - bold);
    return ms;
}

// The same page of the platform's list view alone (its own drawing, no cells), for comparison.
double PlainListPage()
{
    ListHost host;
    if (!host.Open(0, {})) return 0;
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
    const double ms = BestOfBatches([&] {
        ::SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    });
    std::printf("the platform's list view alone, same page with empty cells: %.3f ms per page\n", ms);
    return ms;
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
    std::printf("histogram %dx%d, one step (AddValue with its repaint, then the picture): %.3f ms per step\n",
                static_cast<int>(client.Width()), static_cast<int>(client.Height()), MillisecondsPerRound(start, kRounds));
}
}  // namespace

int main()
{
    const double ours = ListPage();
    const double platform = PlainListPage();
    if (platform > 0) std::printf("owner-data list page ratio: %.2f\n", ours / platform);
    HistogramStep();
    return 0;
}
