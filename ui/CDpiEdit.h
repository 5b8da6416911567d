// An edit that the DPI layout recognises and re-fonts; it adds nothing else.
#pragma once
#include "framework/Afx.h"

class CDpiEdit : public CEdit {
    DECLARE_DYNAMIC(CDpiEdit)
};
