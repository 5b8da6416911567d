// The application object: one running copy, the skin library, the debug switch, then the
// hidden main dialog for the whole life of the process.
#pragma once
#include "framework/Afx.h"

extern HMODULE G_hKelvoImg;  // the skin image library; null when it could not be loaded

class CQxUI2008App : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_hSingleInstanceMutex = nullptr;
};
