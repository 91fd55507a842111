#include "services/TeskDataFactory/CTeskFaultFieldPtSet.h"

void CTeskFaultFieldPtSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Long(pFX, "InterpID", m_nInterpID);
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Text(pFX, "Fault", m_strFault);
    RFX_Double(pFX, "X", m_dX);
    RFX_Double(pFX, "Y", m_dY);
    RFX_Double(pFX, "Z", m_dZ);
    RFX_Int(pFX, "Segment", m_nSegment);
    RFX_Text(pFX, "Interpreter", m_strInterpreter);
}
