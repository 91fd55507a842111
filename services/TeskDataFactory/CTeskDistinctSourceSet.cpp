#include "services/TeskDataFactory/CTeskDistinctSourceSet.h"

void CTeskDistinctSourceSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Source", m_strSource);
    RFX_LongText(pFX, "Description", m_strDescription);
}
