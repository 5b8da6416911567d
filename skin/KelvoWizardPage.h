// The common front of the security wizard's pages: the skinned title, labels and Back, Next and
// Exit buttons, the two road flags, and a refresh from the editor each time the page is shown.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "skin/SkinnedPage.h"

#include <initializer_list>
#include <set>

class CKelvoWizardPage : public CSkinnedPage {
public:
    explicit CKelvoWizardPage(UINT nIDTemplate) : CSkinnedPage(nIDTemplate) {}

    // Next: checks, writes the editor and moves on; a failed check keeps the page.
    virtual void OnNext() {}
    // Back: the page that led here.
    virtual void OnBack();
    // Exit: back to where the wizard was entered; nothing is saved.
    void OnExit();

    int bUseProfileEditor = 0;  // 1 on the profile road
    int bAdhoc = 0;             // 1 for an ad hoc network

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // True where Next stores (the summary): the button shows the skin's Save bitmaps.
    virtual bool SavesOnNext() const { return false; }
    // Controls and texts of the page, once.
    virtual void SetUpPage() {}
    // Each time the page becomes visible: its controls from the editor.
    virtual void OnShowPage() {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBackClicked() { OnBack(); }
    void OnNextClicked() { OnNext(); }
    void OnExitClicked() { OnExit(); }
    DECLARE_MESSAGE_MAP()

    void SetText(UINT id, const CString& text);
    void SetLabels(std::initializer_list<UINT> ids);
    // Limits an edit to what the record field behind it holds. A longer text (a paste) is cut
    // by the edit, and the user is told so rather than left to find it out.
    void LimitEdit(UINT id, int maxChars);
    void OnEditFull(UINT id);
    // Copies the road flags from the security-type page.
    void TakeRoadFlags();

    std::set<UINT> m_editsToldFull;  // the edits that told their limit this showing
};

// Text of a combo's selected entry, empty when none is selected.
CString SelectedText(const CComboBox& combo);

