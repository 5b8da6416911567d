#include "station/BlockAckTids.h"

#include <cstdlib>

namespace {
constexpr double kBssidColumnShare = 0.9;
}

void FillTidCombo(CComboBox& combo)
{
    combo.ResetContent();
    for (int tid = 0; tid < kTidCount; ++tid) {
        CString text;
        text.Format("%d", tid);
        combo.AddString(text);
    }
    combo.SetCurSel(0);
}

int SelectedTid(CComboBox& combo)
{
    const int sel = combo.GetCurSel();
    if (sel < 0)
        return 0;
    CString text;
    combo.GetLBText(sel, text);
    return atoi(text);
}

void InsertBssidColumn(CListCtrl& list)
{
    CRect rc;
    list.GetWindowRect(&rc);
    list.InsertColumn(0, "BSSID", LVCFMT_LEFT, static_cast<int>(rc.Width() * kBssidColumnShare));
}
