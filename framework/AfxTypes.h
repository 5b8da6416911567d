// Small shared definitions of the layer.
#pragma once
#include <windows.h>

#ifndef AFXAPI
#define AFXAPI
#endif

// Reflected notifications arrive at the child as WM_REFLECT_BASE + the parent's message.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// Flags of CWnd::RunModalLoop.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;

// An opaque position of a list walk (0 ends it).
struct FwPosition;
using POSITION = FwPosition*;

constexpr UINT ID_HELP = 0xE146;  // 57670, the framework's help command

#ifndef ASSERT
#define ASSERT(x) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(x) ((void)(x))
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
