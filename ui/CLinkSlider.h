// A slider that writes its position into the CSmartEdit tied to it.
#pragma once
#include "framework/Afx.h"

class CSmartEdit;

class CLinkSlider : public CSliderCtrl {
    DECLARE_DYNAMIC(CLinkSlider)
public:
    static constexpr int kNoPosition = 0x7FFFFFFF;

    void SetEdit(CSmartEdit* pEdit) { m_pEdit = pEdit; }
    CSmartEdit* GetEdit() const { return m_pEdit; }
    int GetLastPos() const { return m_nLastPos; }

protected:
    void HScroll(UINT nSBCode, UINT nPos);
    DECLARE_MESSAGE_MAP()

    CSmartEdit* m_pEdit = nullptr;
    int m_nLastPos = kNoPosition;
};
