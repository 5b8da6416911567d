#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "support/TestSupport.h"
#include "ui/ControlsForm.h"
#include "ui/CSignalStatic.h"
#include "ui/DpiLayout.h"
#include "ui/FloatButton.h"

#include <sstream>
#include <string>
#include <vector>

using testing_support::ControlsForm;

namespace {
constexpr char kPageFile[] = "TestPage.txt";

// Controls of classes that live elsewhere, named as the layout's fix-ups know them.
class CDpiEdit : public CEdit {
    DECLARE_DYNAMIC(CDpiEdit)
};
IMPLEMENT_DYNAMIC(CDpiEdit, CEdit)

class CFingerStatic : public CStatic {
    DECLARE_DYNAMIC(CFingerStatic)
};
IMPLEMENT_DYNAMIC(CFingerStatic, CStatic)

std::vector<std::string> g_log;

class DpiLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = testing_support::BinFolder() + "dpi_layout_" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        ::CreateDirectoryA((m_folder + "DpiConfig").c_str(), nullptr);
        Configure("1", "0");
        QXWLAPI.nDebugMode = 1;
        g_log.clear();
        SetDebugOutputSink([](LPCSTR line) { g_log.emplace_back(line); });
        ASSERT_TRUE(m_form.Open());
        ASSERT_TRUE(m_page.Create(IDD_TEST_PAGE, &m_form));
        m_page.SetWindowPos(HWND{}, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void TearDown() override
    {
        m_form.DestroyWindow();
        SetDpiLayoutConfigSource(nullptr);
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = 0;
        ::DeleteFileA(Path().c_str());
        ::RemoveDirectoryA((m_folder + "DpiConfig").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

    void Configure(const char* beUsed, const char* ready, int osCode = 9)
    {
        DpiLayoutConfig config;
        config.nOsCode = osCode;
        config.strBeUsed = beUsed;
        config.strReady = ready;
        config.strProgramFolder = m_folder.c_str();
        SetDpiLayoutConfigSource([config] { return config; });
    }

    std::string Path() const { return m_folder + "DpiConfig\\" + kPageFile; }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(testing_support::ReadWholeFile(Path()));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    static CRect RectInParent(HWND hWnd)
    {
        CRect r;
        ::GetWindowRect(hWnd, &r);
        ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    HWND Item(int id) const { return ::GetDlgItem(m_page.m_hWnd, id); }

    static void Move(HWND hWnd, int x, int y, int cx, int cy) { ::SetWindowPos(hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER); }

    bool Logged(const char* text) const
    {
        for (const auto& line : g_log)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    std::string m_folder;
    ControlsForm m_form;
    CDialog m_page{IDD_TEST_PAGE};
};
}  // namespace

TEST_F(DpiLayout, DefaultSwitchesAndNewerSystemsUseNoLayoutFile)
{
    // The program's own switches: the language table's defaults, or a table not loaded yet.
    SetDpiLayoutConfigSource(nullptr);
    G_LangTable.IDS_DPI_BE_USED = "0";
    G_LangTable.IDS_DPI_READY = "0";
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    G_LangTable.IDS_DPI_BE_USED.Empty();
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    Configure("", "0");
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    EXPECT_FALSE(testing_support::FileExists(Path()));
    Configure("1", "0", 10);
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    EXPECT_FALSE(testing_support::FileExists(Path()));
}

TEST_F(DpiLayout, RecordingWritesThePageThenItsDescendantsBreadthFirst)
{
    EXPECT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    const auto lines = Lines();
    // The page, its four controls, then the list's header inside the list.
    ASSERT_EQ(6u, lines.size());
    for (const auto& line : lines) EXPECT_EQ('\r', line.back());
    CRect page;
    m_page.GetWindowRect(&page);
    m_form.ScreenToClient(&page);
    char expected[64];
    wsprintfA(expected, "%d,%d,%d,%d\r", page.left, page.top, page.right, page.bottom);
    EXPECT_EQ(expected, lines[0]);
    CRect edit = RectInParent(Item(IDC_TEST_PAGE_EDIT));
    wsprintfA(expected, "%d,%d,%d,%d\r", edit.left, edit.top, edit.right, edit.bottom);
    EXPECT_EQ(expected, lines[2]);
    HWND header = ::GetWindow(Item(IDC_TEST_PAGE_LIST), GW_CHILD);
    CRect headerRect = RectInParent(header);
    wsprintfA(expected, "%d,%d,%d,%d\r", headerRect.left, headerRect.top, headerRect.right, headerRect.bottom);
    EXPECT_EQ(expected, lines[5]);
}

TEST_F(DpiLayout, RecordedLayoutReappliedPutsEveryControlWhereItWas)
{
    ASSERT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    const CRect text = RectInParent(Item(IDC_TEST_PAGE_TEXT)), list = RectInParent(Item(IDC_TEST_PAGE_LIST));
    CRect page;
    m_page.GetWindowRect(&page);

    Move(Item(IDC_TEST_PAGE_TEXT), 50, 40, 10, 10);
    Move(Item(IDC_TEST_PAGE_LIST), 0, 0, 300, 200);
    m_page.SetWindowPos(HWND{}, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    Configure("1", "1");
    EXPECT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    EXPECT_EQ(text, RectInParent(Item(IDC_TEST_PAGE_TEXT)));
    EXPECT_EQ(list, RectInParent(Item(IDC_TEST_PAGE_LIST)));
    CRect after;
    m_page.GetWindowRect(&after);
    EXPECT_EQ(page.Size(), after.Size());
    EXPECT_EQ(CPoint(20, 30), RectInParent(m_page.m_hWnd).TopLeft());  // position unchanged
}

TEST_F(DpiLayout, BorderedPageKeepsItsSizeThroughRecordAndApply)
{
    m_page.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    CRect before;
    m_page.GetWindowRect(&before);
    ASSERT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    m_page.SetWindowPos(HWND{}, 0, 0, 80, 80, SWP_NOMOVE | SWP_NOZORDER);
    Configure("1", "1");
    ASSERT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    CRect after;
    m_page.GetWindowRect(&after);
    EXPECT_EQ(before.Size(), after.Size());
}

TEST_F(DpiLayout, PageThatGainedAControlIsLeftUnchanged)
{
    ASSERT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    CStatic extra;
    ASSERT_TRUE(extra.Create("new", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), &m_page, 999));
    Move(Item(IDC_TEST_PAGE_TEXT), 50, 40, 10, 10);
    Configure("1", "1");
    ApplyDpiLayout(&m_page, kPageFile);
    EXPECT_EQ(CRect(50, 40, 60, 50), RectInParent(Item(IDC_TEST_PAGE_TEXT)));
    EXPECT_TRUE(Logged("7 windows"));
}

TEST_F(DpiLayout, PageWithoutChildrenIsOnlySized)
{
    CStatic bare;
    ASSERT_TRUE(bare.Create("", WS_CHILD | WS_VISIBLE, CRect(5, 5, 105, 45), &m_form, 998));
    ASSERT_EQ(1, ApplyDpiLayout(&bare, kPageFile));
    EXPECT_EQ(1u, Lines().size());
    bare.SetWindowPos(HWND{}, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    Configure("1", "1");
    ASSERT_EQ(1, ApplyDpiLayout(&bare, kPageFile));
    EXPECT_EQ(CRect(5, 5, 105, 45), RectInParent(bare.m_hWnd));
}

TEST_F(DpiLayout, MissingFolderIsALoggedFailure)
{
    ::RemoveDirectoryA((m_folder + "DpiConfig").c_str());
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    EXPECT_TRUE(Logged("ApplyDpiLayout() CreateFile fail"));
}

TEST_F(DpiLayout, MissingFileIsReportedByName)
{
    testing_support::MessageBoxCapture boxes;
    Configure("1", "1");
    EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString(("Can't find " + Path()).c_str()), boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes.Boxes()[0].type & 0xF);
}

TEST_F(DpiLayout, GarbledOrShortFilesChangeNothing)
{
    const CRect text = RectInParent(Item(IDC_TEST_PAGE_TEXT));
    CRect page;
    m_page.GetWindowRect(&page);
    Configure("1", "1");
    for (const char* content : {"1,2,3,4\r\n5,6\r\n7,8,9,10\r\n1,1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n",
                                "garbage\r\n", "1,2,3,4x\r\n", "", "0,0,10,10\r\n1,1,2,2\r\n"}) {
        testing_support::ScopedFile file(Path(), content);
        ApplyDpiLayout(&m_page, kPageFile);
        EXPECT_EQ(text, RectInParent(Item(IDC_TEST_PAGE_TEXT))) << content;
        CRect now;
        m_page.GetWindowRect(&now);
        EXPECT_EQ(page.Size(), now.Size()) << content;
    }
    EXPECT_TRUE(Logged("is not a rectangle"));
}

TEST_F(DpiLayout, AFileWithAbsurdRectanglesIsRefusedWhole)
{
    ASSERT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    const std::vector<std::string> recorded = Lines();
    CRect page;
    m_page.GetWindowRect(&page);
    Move(Item(IDC_TEST_PAGE_TEXT), 50, 40, 10, 10);
    Configure("1", "1");
    // A page of no size, or larger than any screen; a control turned inside out.
    const std::pair<size_t, const char*> absurd[] = {
        {0, "0,0,0,0"}, {0, "0,0,2147483647,2147483647"}, {0, "-30000,-30000,30000,30000"}, {1, "10,10,5,5"}};
    auto withLine = [&](size_t index, const std::string& line) {
        std::string content;
        for (size_t i = 0; i < recorded.size(); ++i) content += (i == index ? line : recorded[i]) + "\n";
        return content;
    };
    for (const auto& [index, line] : absurd) {
        testing_support::ScopedFile file(Path(), withLine(index, line));
        EXPECT_EQ(0, ApplyDpiLayout(&m_page, kPageFile)) << line;
        EXPECT_EQ(CRect(50, 40, 60, 50), RectInParent(Item(IDC_TEST_PAGE_TEXT))) << line;
        CRect now;
        m_page.GetWindowRect(&now);
        EXPECT_EQ(page.Size(), now.Size()) << line;
    }
    EXPECT_TRUE(Logged("is no window of this screen"));

    // Only the page's size is read: a main window written right of this screen's edge is laid out.
    CRect client;
    m_page.GetClientRect(&client);
    const int x = ::GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100;
    testing_support::ScopedFile file(Path(), withLine(0, std::to_string(x) + ",0," + std::to_string(x + client.Width()) +
                                                             "," + std::to_string(client.Height())));
    EXPECT_EQ(1, ApplyDpiLayout(&m_page, kPageFile));
    EXPECT_NE(CRect(50, 40, 60, 50), RectInParent(Item(IDC_TEST_PAGE_TEXT)));
}

// Fix-ups by class.

TEST_F(DpiLayout, HoverButtonTakesItsBitmapsSize)
{
    CFloatButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_TEST_FLOAT, &m_form));
    ASSERT_TRUE(button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr));
    RECT rect{10, 20, 500, 400};
    DpiFixupControl(&button, &rect);
    EXPECT_EQ(CRect(10, 20, 70, 44), CRect(rect));
}

TEST_F(DpiLayout, EditsGetTheSmallAnsiFontAndFingerLabelsABoldArial)
{
    CDpiEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_TEST_PAGE_EDIT, &m_page));
    RECT rect{};
    DpiFixupControl(&edit, &rect);
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(edit.SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_EQ(-11, lf.lfHeight);
    EXPECT_EQ(ANSI_CHARSET, lf.lfCharSet);

    CFingerStatic finger;
    ASSERT_TRUE(finger.SubclassDlgItem(IDC_TEST_PAGE_TEXT, &m_page));
    finger.SetFont(reinterpret_cast<HFONT>(m_page.SendMessage(WM_GETFONT)));
    CStatic inner;
    ASSERT_TRUE(inner.Create("inner", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), &finger, 0xFFFF));
    DpiFixupControl(&finger, &rect);
    ::GetObjectA(reinterpret_cast<HFONT>(inner.SendMessage(WM_GETFONT)), sizeof lf, &lf);
    EXPECT_EQ(15, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_STREQ("Arial", lf.lfFaceName);
}

TEST_F(DpiLayout, AClassCanGiveItsOwnStepAndOtherClassesAreLeftAlone)
{
    CSignalStatic signal;
    ASSERT_TRUE(signal.SubclassDlgItem(IDC_TEST_PAGE_TEXT, &m_page));
    RECT rect{0, 0, 33, 22};
    DpiFixupControl(&signal, &rect);
    CRect client;
    signal.GetClientRect(&client);
    EXPECT_EQ(CSize(33, 22), client.Size());

    static int steps = 0;
    SetDpiClassFixup("CSignalStatic", [](CWnd*, RECT*) { ++steps; });
    DpiFixupControl(&signal, &rect);
    EXPECT_EQ(1, steps);
    SetDpiClassFixup("CSignalStatic", nullptr);

    CWnd* plain = CWnd::FromHandle(Item(IDC_TEST_PAGE_GROUP));
    RECT before{1, 2, 3, 4}, after = before;
    DpiFixupControl(plain, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}
