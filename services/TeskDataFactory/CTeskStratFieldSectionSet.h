#pragma once
// Stratigraphic interpretation points of field sections, in database coordinates.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskStratFieldSectionSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    int32_t m_nInterpID = 0;  // "InterpID"
    CString m_strSource;  // "Source"
    CString m_strStratColumn;  // "StratColumn"
    CString m_strFormation;  // "Formation"
    double m_dX = 0;  // "X"
    double m_dY = 0;  // "Y"
    double m_dZ = 0;  // "Z"
    CString m_strInterpreter;  // "Interpreter"
    TIMESTAMP_STRUCT m_Created{};  // "Created"

    CString GetDefaultSQL() override { return "\"StratFieldSection\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
