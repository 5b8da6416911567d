// An edit that accepts only chosen classes of characters and beeps at the others; it can be
// tied to a CLinkSlider that writes its position into it.
#pragma once
#include "ui/CInfoWnd.h"

class CLinkSlider;

class CSmartEdit : public CEdit {
    DECLARE_DYNAMIC(CSmartEdit)
public:
    // Character classes of SetParseType.
    static constexpr WORD kDigits = 0x01;
    static constexpr WORD kLetters = 0x02;
    static constexpr WORD kFloat = 0x04;       // digits, ".", "-", "E"
    static constexpr WORD kOtherChars = 0x08;  // other printable characters
    static constexpr WORD kSignedInt = 0x10;   // digits and "-"
    static constexpr WORD kUnderscore = 0x20;
    static constexpr WORD kHex = 0x40;         // digits, "A" to "F" either case
    static constexpr WORD kEverything = 0xFFFF;
    static constexpr COLORREF kInfoColor = 0x8181FF;

    CSmartEdit();
    ~CSmartEdit() override;

    void SetParseType(WORD mask) { m_wParseType = mask; }
    WORD GetParseType() const { return m_wParseType; }
    // Stores the range; a tied slider gets it with the line and page sizes. Answers TRUE.
    BOOL SetRange(int min, int max, int lineStep, int pageStep);
    // The parent's child of that id, when it is a CLinkSlider, is tied to this edit.
    BOOL AttachSlider(CWnd* pParent, int sliderId);
    // The text becomes the value when it lies in the range; otherwise FALSE and nothing changes.
    BOOL SetValue(int value);
    // The slider's position: shown when it differs from the text shown.
    void OnSliderPos(int pos);
    CLinkSlider* GetSlider() const { return m_pSlider; }
    CInfoWnd* GetInfoWnd() const { return m_pInfoWnd; }
    // The classes a character belongs to (control characters belong to all).
    static WORD CharClasses(UINT ch);

protected:
    void PreSubclassWindow() override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // Runs for a refused character; the default beeps.
    virtual void OnBadInput();
    DECLARE_MESSAGE_MAP()

    WORD m_wParseType = kEverything;
    CInfoWnd* m_pInfoWnd;
    CLinkSlider* m_pSlider = nullptr;
    int m_nMin = 0;
    int m_nMax = 0;
};
