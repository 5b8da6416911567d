// An editable in-memory copy of a dialog template (DLGTEMPLATE or DLGTEMPLATEEX).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CDialogTemplate {
public:
    // Copies template nID of the program; FALSE when there is none or it is malformed.
    BOOL Load(UINT nID);
    BOOL Load(LPCSTR name);
    // Replaces the font (adding one when the template has none), leaving every item unchanged.
    BOOL SetFont(LPCSTR face, WORD pointSize);
    LPCDLGTEMPLATE Get() const { return m_data.empty() ? nullptr : reinterpret_cast<LPCDLGTEMPLATE>(m_data.data()); }
    bool IsExtended() const;
    // The face and size of the font in the template; FALSE when it has none.
    BOOL GetFont(std::wstring& face, WORD& pointSize) const;

private:
    // Offsets of the font block and of the first item, or FALSE when malformed.
    bool Parse(size_t& fontAt, size_t& itemsAt, bool& hasFont) const;
    std::vector<BYTE> m_data;  // kept DWORD-aligned by the vector's allocator
};
