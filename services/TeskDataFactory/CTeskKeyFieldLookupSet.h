#pragma once
// Which lookup table explains a key field of another table.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskKeyFieldLookupSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strTableName;  // "Table Name"
    CString m_strKeyField;  // "Key Field"
    CString m_strLookupTable;  // "Lookup Table"
    CString m_strLookupKey;  // "Lookup Key"
    CString m_strDisplayField;  // "Display Field"
    int32_t m_nSortOrder = 0;  // "Sort Order"

    CString GetDefaultSQL() override { return "\"KeyFieldLookup\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
