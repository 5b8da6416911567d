// The tab strip the profile and security editors share: shaded buttons laid over the
// template's placeholders, each bound to its page inside one tab host.
#pragma once
#include "base/LanguageTable.h"
#include "ui/ShadeButtonST.h"

class CTabDialog;

struct EditorTab {
    CString CLanguageTable::*caption;
    int placeholder;
    CDialog* page;  // null: a tab whose button stands without a page
    UINT templateId;
};

// Hides each placeholder, puts a shaded tab button in its place and creates its page in the
// host; buttons[i] receives tab i's button (owned by the caller). False when a button or a
// page could not be created.
bool AddEditorTabs(CDialog& editor, CTabDialog& host, CFont& font, const EditorTab* tabs, int count,
                   CShadeButtonST** buttons);

// Stretches the host over the editor's width down to the tab area's bottom and places the
// pages in the tab area, with firstTab selected.
void PlaceEditorTabs(CDialog& editor, CTabDialog& host, int tabAreaId, int firstTab);
