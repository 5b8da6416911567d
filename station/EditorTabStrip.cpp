#include "station/EditorTabStrip.h"
#include "base/DebugLog.h"
#include "ui/TabDialog.h"

namespace {
constexpr int kTabShade = CShadeButtonST::SHS_VBUMP;
constexpr BYTE kTabGranularity = 8, kTabHighlight = 40, kTabColoring = 5;
constexpr COLORREF kTabHotColor = 0xB4B4B4, kTabSelectedColor = 0x00FF00;
constexpr int kCentredContent = 1;

CRect ChildRect(CDialog& editor, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    editor.ScreenToClient(&rc);
    return rc;
}
}  // namespace

bool AddEditorTabs(CDialog& editor, CTabDialog& host, CFont& font, const EditorTab* tabs, int count,
                   CShadeButtonST** buttons)
{
    for (int tab = 0; tab < count; ++tab) {
        CWnd* placeholder = editor.GetDlgItem(tabs[tab].placeholder);
        if (!placeholder) {
            DebugLog(1, "[QxUI] AddEditorTabs: the template has no placeholder %d\n", tabs[tab].placeholder);
            return false;
        }
        const CRect rc = ChildRect(editor, *placeholder);
        placeholder->ShowWindow(SW_HIDE);
        auto* button = new CShadeButtonST();
        buttons[tab] = button;
        if (!button->Create(G_LangTable.*(tabs[tab].caption), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, &host,
                            tabs[tab].placeholder))
            return false;
        button->SetFont(&font, TRUE);
        button->SetShade(kTabShade, kTabGranularity, kTabHighlight, kTabColoring, 0, kTabHotColor, kTabSelectedColor);
        button->SetFlat(FALSE);
        button->SetContentAlign(kCentredContent, TRUE);
        if (tabs[tab].page && !tabs[tab].page->Create(tabs[tab].templateId, &host)) {
            DebugLog(1, "[QxUI] AddEditorTabs: page %d could not be created\n", tab);
            return false;
        }
        host.AddPage(tabs[tab].page, button);
    }
    return true;
}

void PlaceEditorTabs(CDialog& editor, CTabDialog& host, int tabAreaId, int firstTab)
{
    CRect dlg;
    editor.GetClientRect(&dlg);
    CWnd* areaWindow = editor.GetDlgItem(tabAreaId);
    const CRect area = areaWindow ? ChildRect(editor, *areaWindow) : dlg;
    host.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, dlg.Width(), area.bottom,
                      SWP_NOZORDER | SWP_SHOWWINDOW);
    host.PlacePages(area.left, area.top, area.right, area.bottom, 0, 0, firstTab);
}
