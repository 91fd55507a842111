#include "services/TeskDataFactory/CTeskFaultSet.h"

void CTeskFaultSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Well ID", m_strWellID);
    RFX_Text(pFX, "Fault", m_strFault);
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Int(pFX, "Obs. No.", m_nObsNo);
    RFX_Double(pFX, "Top MD", m_dTopMD);
    RFX_Double(pFX, "Top TVD", m_dTopTVD);
    RFX_Double(pFX, "Subsea", m_dSubsea);
    RFX_Double(pFX, "Throw", m_dThrow);
    RFX_Text(pFX, "Interpreter", m_strInterpreter);
    RFX_LongText(pFX, "Remarks", m_strRemarks);
}
