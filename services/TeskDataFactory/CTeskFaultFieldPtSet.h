#pragma once
// Fault interpretation points, in database coordinates.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskFaultFieldPtSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    int32_t m_nInterpID = 0;  // "InterpID"
    CString m_strSource;  // "Source"
    CString m_strFault;  // "Fault"
    double m_dX = 0;  // "X"
    double m_dY = 0;  // "Y"
    double m_dZ = 0;  // "Z"
    int32_t m_nSegment = 0;  // "Segment"
    CString m_strInterpreter;  // "Interpreter"

    CString GetDefaultSQL() override { return "\"FaultFieldPoint\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
