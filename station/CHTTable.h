// 802.11n (HT) data rates by bandwidth, guard interval and MCS index, for display.
#pragma once
#include "framework/Afx.h"

#include <map>
#include <string>

class CHTTable {
public:
    CHTTable() = default;
    virtual ~CHTTable() = default;

    // Fills the 132 rates; a repeated call changes nothing (an insert never replaces a value).
    void Init();
    // The rate in Mbps into *pRate; FALSE (and *pRate untouched) when the table has no such rate.
    // nGuardInterval 1 is the short guard interval, every other value the long one.
    BOOL GetRate(BOOL bIs40MHz, int nGuardInterval, int nMcs, double* pRate) const;

    static constexpr int kEntries = 132;

private:
    void Insert(int bandwidth, int guardNs, int mcs, double rate);
    std::map<std::string, double> m_rates;
};
