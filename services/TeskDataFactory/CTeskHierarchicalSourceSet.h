#pragma once
// Data sources, each under its parent source.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskHierarchicalSourceSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strSource;  // "Source"
    CString m_strParentSource;  // "Parent Source"
    int32_t m_nLevel = 0;  // "Level"
    int32_t m_bWritable = 0;  // "Writable"
    CString m_strDescription;  // "Description"

    CString GetDefaultSQL() override { return "\"Source\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
