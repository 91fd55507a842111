#pragma once
// The sources that tops or fault picks use. A view without key: read-only.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"

class CTeskDistinctSourceSet : public CRecordset {
public:
    using CRecordset::CRecordset;

    CString m_strSource;  // "Source"
    CString m_strDescription;  // "Description"

    CString GetDefaultSQL() override { return "\"DistinctSource\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
