// The Wi-Fi Direct page of the main window: what the hidden main dialog uses of it.
#pragma once
#include "framework/Afx.h"

class CKelvoPageWlanP2PDlg : public CDialog {
public:
    int m_bConnecting = 0;  // 1 while a Wi-Fi Direct connection is being made
};
