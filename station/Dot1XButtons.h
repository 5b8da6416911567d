// The looks of the 802.1X pages' buttons: check and radio buttons drawn with a pair of images,
// and the buttons that open a method menu.
#pragma once
#include "ui/ButtonST.h"

// A check or radio button of the pages: its pair of images (checked, not checked), no border,
// blue text while checked.
void StyleCheckButton(CButtonST& button, bool radio);

// A button that opens a menu of methods: its caption on the left, a drop-down arrow (darker
// while hot or open) on the right, a hot face 30 lighter.
class CMenuButtonST : public CButtonST {
public:
    void StyleAsMenuButton();
};
