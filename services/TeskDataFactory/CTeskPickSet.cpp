#include "services/TeskDataFactory/CTeskPickSet.h"

void CTeskPickSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Well ID", m_strWellID);
    RFX_Text(pFX, "Formation", m_strFormation);
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Long(pFX, "Observation Number", m_nObservationNumber);
    RFX_Double(pFX, "Top MD", m_dTopMD);
    RFX_Double(pFX, "Top TVD", m_dTopTVD);
    RFX_Double(pFX, "Top Subsea", m_dTopSubsea);
    RFX_Text(pFX, "Interpreter", m_szInterpreter, sizeof m_szInterpreter);
    RFX_Byte(pFX, "Quality", m_nQuality);
    RFX_Date(pFX, "Pick Date", m_PickDate);
    RFX_LongText(pFX, "Remarks", m_strRemarks);
}
