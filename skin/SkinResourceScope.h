// While it lives, resources come from the skin library first (when it is loaded).
#pragma once
#include "framework/Afx.h"
#include "core/QxUI2008App.h"

class SkinResourceScope {
public:
    SkinResourceScope() : m_previous(AfxGetResourceHandle())
    {
        if (G_hKelvoImg) AfxSetResourceHandle(G_hKelvoImg);
    }
    ~SkinResourceScope() { AfxSetResourceHandle(m_previous); }
    SkinResourceScope(const SkinResourceScope&) = delete;
    SkinResourceScope& operator=(const SkinResourceScope&) = delete;

private:
    HINSTANCE m_previous;
};
