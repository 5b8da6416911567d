// Keyed collections with MFC's CMap interface, kept in an ordered map.
#pragma once
#include <windows.h>
#include <iterator>
#include <map>
#include "framework/AfxTypes.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap {
public:
    void InitHashTable(UINT) {}
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_map.size()); }
    BOOL IsEmpty() const { return m_map.empty(); }
    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_map.find(key);
        if (it == m_map.end()) return FALSE;
        value = it->second;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key) { return m_map[key]; }
    void SetAt(ARG_KEY key, ARG_VALUE value) { m_map[key] = value; }
    BOOL RemoveKey(ARG_KEY key) { return m_map.erase(key) > 0; }
    void RemoveAll() { m_map.clear(); }

    // Walk: a position is the entry index plus one; 0 ends the walk.
    POSITION GetStartPosition() const { return m_map.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1)); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        auto index = reinterpret_cast<INT_PTR>(pos) - 1;
        auto it = std::next(m_map.begin(), index);
        key = it->first;
        value = it->second;
        pos = (index + 1 < GetCount()) ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    }

    auto begin() { return m_map.begin(); }
    auto end() { return m_map.end(); }
    auto begin() const { return m_map.begin(); }
    auto end() const { return m_map.end(); }

private:
    std::map<KEY, VALUE> m_map;
};
