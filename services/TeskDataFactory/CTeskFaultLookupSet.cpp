#include "services/TeskDataFactory/CTeskFaultLookupSet.h"

void CTeskFaultLookupSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Long(pFX, "ID", m_nID);
    RFX_Text(pFX, "Fault", m_strFault);
    RFX_Text(pFX, "Fault Type", m_strFaultType);
    RFX_Single(pFX, "Dip", m_fDip);
    RFX_Single(pFX, "Dip Azimuth", m_fDipAzimuth);
    RFX_Text(pFX, "Color", m_strColor);
}
