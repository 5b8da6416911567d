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
#include <memory>
#include <vector>

namespace {
constexpr int kRows = 1000;
constexpr int kRounds = 200;

using Clock = std::chrono::steady_clock;

double MillisecondsPerRound(Clock::time_point start, int rounds)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

// The machine is shared: the fastest of a few batches is the figure least disturbed by others,
// and pages compared with each other are measured in turns, batch by batch.
constexpr int kBatches = 7;
constexpr int kRoundsPerBatch = 40;
std::vector<double> BestOfBatchesInTurns(const std::vector<std::function<void()>>& rounds)
{
    std::vector<double> best(rounds.size(), 0);
    for (int batch = 0; batch < kBatches; ++batch) {
        for (size_t k = 0; k < rounds.size(); ++k) {
            const auto start = Clock::now();
            for (int i = 0; i < kRoundsPerBatch; ++i) rounds[k]();
            const double ms = MillisecondsPerRound(start, kRoundsPerBatch);
            if (batch == 0 || ms < best[k]) best[k] = ms;
        }
    }
    return best;
}

using CellFill = std::function<void(CQuickList::CListItemData&)>;

// A 1,000-row list whose cells `fill` gives, scrolled to its middle, drawn into a canvas.
class OwnerDataPage {
public:
    explicit OwnerDataPage(const CellFill& fill)
    {
        m_host.fill = fill;
        if (!m_host.Open(kRows, {180, 180})) return;
        CRect client;
        m_host.List().GetClientRect(&client);
        m_canvas = std::make_unique<DibCanvas>(client.Width(), client.Height());
        m_host.List().EnsureVisible(kRows / 2, FALSE);
        m_host.ClearRequests();
    }
    std::function<void()> Drawing()
    {
        return [this] {
            if (m_canvas)
                m_host.List().SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_canvas->DC()->m_hDC), PRF_CLIENT);
        };
    }
    int PageRows() { return m_host.List().GetCountPerPage(); }
    size_t Requests() const { return m_host.requests.size(); }

private:
    ListHost m_host;
    std::unique_ptr<DibCanvas> m_canvas;
};

// A parent that has the platform ask for every cell of the page by custom draw and draws none.
LRESULT CALLBACK SkipEveryCellProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        switch (reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
        case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: return CDRF_SKIPDEFAULT;
        default: return CDRF_DODEFAULT;
        }
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// The same page of the platform's list view alone, for comparison: its own drawing and no cells,
// or, under a parent that skips every cell, what an owner-drawn page costs before anything is
// asked for or drawn.
class PlatformPage {
public:
    enum class Parent { Plain, SkipsEveryCell };
    explicit PlatformPage(Parent kind)
    {
        if (!m_host.Open(0, {})) return;
        CRect area;
        m_host.List().GetWindowRect(&area);
        m_host.ScreenToClient(&area);
        HWND parent = m_host.m_hWnd;
        if (kind == Parent::SkipsEveryCell) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = SkipEveryCellProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = "SkipEveryCellParent";
            ::RegisterClassA(&wc);
            parent = ::CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE, area.left, area.top,
                                       area.Width(), area.Height(), m_host.m_hWnd, nullptr, wc.hInstance, nullptr);
            area.MoveToXY(0, 0);
        }
        m_list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, area.left,
                                   area.top, area.Width(), area.Height(), parent, nullptr, nullptr, nullptr);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 180;
        ::SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        ::SendMessageA(m_list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
        ::SendMessageA(m_list, LVM_SETITEMCOUNT, kRows, 0);
        ::SendMessageA(m_list, LVM_ENSUREVISIBLE, kRows / 2, FALSE);
        CRect client;
        ::GetClientRect(m_list, &client);
        m_canvas = std::make_unique<DibCanvas>(client.Width(), client.Height());
    }
    std::function<void()> Drawing()
    {
        return [this] {
            if (m_canvas) ::SendMessageA(m_list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_canvas->DC()->m_hDC), PRF_CLIENT);
        };
    }

private:
    ListHost m_host;
    HWND m_list = nullptr;
    std::unique_ptr<DibCanvas> m_canvas;
};

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

void TextCell(CQuickList::CListItemData& cell)
{
    cell.m_strText.Format(cell.GetSubItem() == 0 ? "Network %04d" : "%d%%", cell.GetItem());
}

void ListPages()
{
    // What the page's cost is made of: each page adds one kind of content to the one before.
    OwnerDataPage survey(SurveyCell);
    OwnerDataPage empty([](CQuickList::CListItemData&) {});
    OwnerDataPage text(TextCell);
    OwnerDataPage checks([](CQuickList::CListItemData& cell) {
        TextCell(cell);
        cell.m_bCheckBox = cell.GetSubItem() == 0;
    });
    OwnerDataPage bold([](CQuickList::CListItemData& cell) {
        TextCell(cell);
        cell.m_bCheckBox = cell.GetSubItem() == 0;
        cell.m_bBold = cell.GetSubItem() == 0 && cell.GetItem() % 5 == 0;
    });
    PlatformPage platform(PlatformPage::Parent::Plain);
    PlatformPage floor(PlatformPage::Parent::SkipsEveryCell);
    const std::vector<double> ms = BestOfBatchesInTurns({survey.Drawing(), platform.Drawing(), empty.Drawing(), text.Drawing(),
                                                         checks.Drawing(), bold.Drawing(), floor.Drawing()});
    std::printf("owner-data list, %d rows, visible page of %d rows x 2 columns: %.3f ms per page (%zu cell requests per page)\n",
                kRows, survey.PageRows(), ms[0], survey.Requests() / (kBatches * kRoundsPerBatch));
    std::printf("the platform's list view alone, same page with empty cells: %.3f ms per page\n", ms[1]);
    std::printf("owner-data list page ratio: %.2f\n", ms[0] / ms[1]);
    std::printf("  of which: cell requests and backgrounds (empty cells) %.3f ms, texts +%.3f ms, check boxes +%.3f ms, "
                "bold names +%.3f ms, signal bars +%.3f ms\n",
                ms[2], ms[3] - ms[2], ms[4] - ms[3], ms[5] - ms[4], ms[0] - ms[5]);
    std::printf("  of the empty cells: the platform asking for each cell by custom draw, none drawn, %.3f ms; "
                "the list's requests, rectangles and backgrounds +%.3f ms\n",
                ms[6], ms[2] - ms[6]);
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
    ListPages();
    HistogramStep();
    return 0;
}
