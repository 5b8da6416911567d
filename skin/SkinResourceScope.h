// While it lives, resources come from the skin library first (when it is loaded): the skinned
// pages and dialogs are made from its templates.
#pragma once
#include "core/QxUI2008App.h"
#include "framework/Afx.h"

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

// DoModal with resources from the skin library (when it is loaded).
inline INT_PTR DoModalSkinned(CDialog& dialog)
{
    SkinResourceScope skin;
    return dialog.DoModal();
}
