#include "platform/db/CDBVariant.h"

void CDBVariant::Clear() {
    switch (m_dwType) {
    case DBVT_DATE: delete m_pdate; break;
    case DBVT_STRING: delete m_pstring; break;
    case DBVT_BINARY: delete m_pbinary; break;
    default: break;
    }
    m_dwType = DBVT_NULL;
    m_dblVal = 0;
}
