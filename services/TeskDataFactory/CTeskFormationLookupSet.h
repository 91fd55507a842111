#pragma once
// The formations of each strat column, in stratigraphic sequence.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskFormationLookupSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strColumnName;  // "Column Name"
    int32_t m_nID = 0;  // "ID"
    CString m_strFormation;  // "Formation"
    int32_t m_nSequence = 0;  // "Sequence"
    char m_szColor[10] = {};  // "Color"
    double m_dAge = 0;  // "Age (Ma)"
    CString m_strDescription;  // "Description"

    CString GetDefaultSQL() override { return "\"FormationLookup\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
