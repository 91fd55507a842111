#include "services/TeskDataFactory/CTeskKeyFieldLookupSet.h"

void CTeskKeyFieldLookupSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Table Name", m_strTableName);
    RFX_Text(pFX, "Key Field", m_strKeyField);
    RFX_Text(pFX, "Lookup Table", m_strLookupTable);
    RFX_Text(pFX, "Lookup Key", m_strLookupKey);
    RFX_Text(pFX, "Display Field", m_strDisplayField);
    RFX_Int(pFX, "Sort Order", m_nSortOrder);
}
