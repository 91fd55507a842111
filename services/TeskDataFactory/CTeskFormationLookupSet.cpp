#include "services/TeskDataFactory/CTeskFormationLookupSet.h"

void CTeskFormationLookupSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Column Name", m_strColumnName);
    RFX_Long(pFX, "ID", m_nID);
    RFX_Text(pFX, "Formation", m_strFormation);
    RFX_Int(pFX, "Sequence", m_nSequence);
    RFX_Text(pFX, "Color", m_szColor, sizeof m_szColor);
    RFX_Double(pFX, "Age (Ma)", m_dAge);
    RFX_LongText(pFX, "Description", m_strDescription);
}
