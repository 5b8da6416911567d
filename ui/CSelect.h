// The common base of the device-context guards: each keeps one value of a device context
// and puts it back when it is restored or destroyed, also when drawing is left by an exception.
#pragma once
#include "framework/Afx.h"

class CSelect {
public:
    explicit CSelect(CDC* pDC) : m_pDC(pDC) {}
    virtual ~CSelect() = default;
    CSelect(const CSelect&) = delete;
    CSelect& operator=(const CSelect&) = delete;
    virtual void Restore() = 0;

protected:
    CDC* m_pDC;
};

// A guard of one value: the first Select keeps the previous value, later ones do not overwrite it.
// Each guard restores in its own destructor (Apply is not reachable from this one's).
template <class T>
class CSelValue : public CSelect {
public:
    using CSelect::CSelect;

protected:
    void SelectValue(T value)
    {
        T previous = Apply(value);
        if (!m_bSaved) {
            m_previous = previous;
            m_bSaved = true;
        }
    }
    void RestoreValue()
    {
        if (!m_bSaved) return;
        Apply(m_previous);
        m_bSaved = false;
    }
    virtual T Apply(T value) = 0;

private:
    T m_previous{};
    bool m_bSaved = false;
};
