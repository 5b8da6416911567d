// MFC-shaped collections over the standard containers.
#pragma once
#include <windows.h>
#include <algorithm>
#include <vector>
#include "framework/CString.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }
    void SetSize(INT_PTR n) { m_items.resize(n > 0 ? static_cast<size_t>(n) : 0); }
    void RemoveAll() { m_items.clear(); }

    // Out-of-range indexes are ignored by setters and answer a default value from getters.
    TYPE GetAt(INT_PTR i) const { return InRange(i) ? m_items[i] : TYPE(); }
    TYPE& ElementAt(INT_PTR i) { return m_items.at(static_cast<size_t>(i)); }
    void SetAt(INT_PTR i, ARG_TYPE v) { if (InRange(i)) m_items[i] = v; }
    TYPE& operator[](INT_PTR i) { return ElementAt(i); }
    const TYPE& operator[](INT_PTR i) const { return m_items.at(static_cast<size_t>(i)); }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    INT_PTR Add(ARG_TYPE v) { m_items.push_back(v); return GetSize() - 1; }
    void SetAtGrow(INT_PTR i, ARG_TYPE v) { if (i < 0) return; if (i >= GetSize()) SetSize(i + 1); m_items[i] = v; }
    void InsertAt(INT_PTR i, ARG_TYPE v, INT_PTR count = 1)
    {
        if (i < 0) return;
        if (i > GetSize()) SetSize(i);
        m_items.insert(m_items.begin() + i, static_cast<size_t>(count), v);
    }
    void RemoveAt(INT_PTR i, INT_PTR count = 1)
    {
        if (!InRange(i) || count <= 0) return;
        auto last = std::min<INT_PTR>(i + count, GetSize());
        m_items.erase(m_items.begin() + i, m_items.begin() + last);
    }
    void Copy(const CArray& other) { m_items = other.m_items; }
    INT_PTR Append(const CArray& other) { auto at = GetSize(); m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end()); return at; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

protected:
    bool InRange(INT_PTR i) const { return i >= 0 && i < GetSize(); }
    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, LPCSTR> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CPtrArray : public CArray<void*, void*> {};
