#include "ui/DmMenuData.h"

std::wstring DmMenuWideFromAnsi(LPCSTR text)
{
    if (!text || !*text) return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

void DmMenuData::SetAnsiString(LPCSTR text)
{
    m_text = DmMenuWideFromAnsi(text);
}
