#include "services/TeskDataFactory/CTeskStratFieldSectionSet.h"

void CTeskStratFieldSectionSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Long(pFX, "InterpID", m_nInterpID);
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Text(pFX, "StratColumn", m_strStratColumn);
    RFX_Text(pFX, "Formation", m_strFormation);
    RFX_Double(pFX, "X", m_dX);
    RFX_Double(pFX, "Y", m_dY);
    RFX_Double(pFX, "Z", m_dZ);
    RFX_Text(pFX, "Interpreter", m_strInterpreter);
    RFX_Date(pFX, "Created", m_Created);
}
