// The TID choice and the BSSID column shared by the Block-Ack dialogs.
#pragma once
#include "framework/Afx.h"

constexpr int kTidCount = 8;  // TIDs 0 to 7
// Empties the combo, adds "0" to "7" and selects "0".
void FillTidCombo(CComboBox& combo);
// The decimal value of the selected text; 0 when nothing is selected.
int SelectedTid(CComboBox& combo);
// Column 0 "BSSID", left-aligned, 0.9 of the list's window width.
void InsertBssidColumn(CListCtrl& list);
