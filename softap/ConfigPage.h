// Soft-AP library variant: the classic configuration page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CConfigPage : public CDialog {
    DECLARE_DYNCREATE(CConfigPage)
public:
    enum { IDD = IDD_AP_CONFIG };
    CConfigPage() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}

    // ---- Called by the skinned configuration page; declared here, not built yet ----
public:
    // APPLY: checks and writes the configuration to the library; FALSE when refused.
    BOOL OnApply();
    // The bridge word the next write puts into bits 21-29 of HT_PhyMode.
    void SetBridgeWord(ULONG word);
};
