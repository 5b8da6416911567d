// Reads a toolbar resource (its command ids and image size) and the bitmap of the same name,
// for the images of an owner-drawn menu. It makes no window.
#pragma once
#include "framework/Afx.h"
#include <vector>

class DmMenuToolBar {
public:
    // Type 241: u16 version, u16 image width, u16 image height, u16 count, then count u16
    // command ids (0 = separator). FALSE when the resource or its bitmap is missing or short.
    BOOL LoadToolbarResource(LPCSTR lpszResourceName);
    BOOL LoadToolbarResource(UINT nID) { return LoadToolbarResource(MAKEINTRESOURCEA(nID)); }

    const std::vector<UINT>& Commands() const { return m_commands; }
    // The image of a command: its index among the non-separator buttons, or -1.
    int ImageIndexOf(UINT nCommand) const;
    CBitmap& Bitmap() { return m_bitmap; }

    int m_iWidth = 0;   // of one button image
    int m_iHeight = 0;

private:
    std::vector<UINT> m_commands;
    CBitmap m_bitmap;
};

constexpr WORD kToolbarResourceType = 241;
