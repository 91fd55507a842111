#include "services/TeskDataFactory/CTeskSurfGuidingPtsSet.h"

void CTeskSurfGuidingPtsSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Long(pFX, "InterpID", m_nInterpID);
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Text(pFX, "Trimmed Surface", m_strTrimmedSurface);
    RFX_Double(pFX, "X", m_dX);
    RFX_Double(pFX, "Y", m_dY);
    RFX_Double(pFX, "Z", m_dZ);
    RFX_Single(pFX, "Weight", m_fWeight);
    RFX_Text(pFX, "Interpreter", m_strInterpreter);
}
