#include "services/TeskDataFactory/CTeskHierarchicalSourceSet.h"

void CTeskHierarchicalSourceSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Source", m_strSource);
    RFX_Text(pFX, "Parent Source", m_strParentSource);
    RFX_Int(pFX, "Level", m_nLevel);
    RFX_Bool(pFX, "Writable", m_bWritable);
    RFX_LongText(pFX, "Description", m_strDescription);
}
