#pragma once
// Points that guide the gridding of trimmed surfaces, in database coordinates.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskSurfGuidingPtsSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    int32_t m_nInterpID = 0;  // "InterpID"
    CString m_strSource;  // "Source"
    CString m_strTrimmedSurface;  // "Trimmed Surface"
    double m_dX = 0;  // "X"
    double m_dY = 0;  // "Y"
    double m_dZ = 0;  // "Z"
    float m_fWeight = 0;  // "Weight"
    CString m_strInterpreter;  // "Interpreter"

    CString GetDefaultSQL() override { return "\"SurfaceGuidingPoint\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
