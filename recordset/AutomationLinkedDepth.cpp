// The automation record set's linked depth columns, units and coordinate roles.

#include <cstdlib>

#include "automation/AutomationModule.h"
#include "platform/text/Format.h"
#include "recordset/NullSentinel.h"
#include "recordset/TeskRecordset.h"

namespace TeskDataProvider {

void TeskRecordset::UpdateLinkedDepthColumns(short index, const CDBVariant& value) {
    AUTOMATION_ENTRY();
    TeskDepthUnitType::DEPTH_UNIT_TYPE written;
    if (!m_core.GetLinkedDepthType(index, written) || m_core.m_indexWellID == -1) return;
    CDBVariant wellId;
    GetExchangedFieldValue(static_cast<short>(m_core.m_indexWellID), wellId);
    if (wellId.m_dwType != DBVT_STRING) return;
    double depth;
    switch (value.m_dwType) {
    case DBVT_NULL: depth = kNullSentinel; break;
    case DBVT_DOUBLE: depth = value.m_dblVal; break;
    case DBVT_STRING: depth = std::strtod(value.m_pstring->c_str(), nullptr); break;  // no number reads as 0
    default: return;  // other kinds are not depths the linked column can follow
    }
    if (written == TeskDepthUnitType::DEPTH_SUBSEA) return;
    const double other =
        depth == kNullSentinel ? depth : RecordsetAdapter::ConvertLinkedDepth(*wellId.m_pstring, depth, written);
    UpdateLinkedDepth(other, written == TeskDepthUnitType::DEPTH_MD ? TeskDepthUnitType::DEPTH_TVD
                                                                    : TeskDepthUnitType::DEPTH_MD);
}

void TeskRecordset::UpdateLinkedDepth(double dValue, TeskDepthUnitType::DEPTH_UNIT_TYPE unitType) {
    const short target = m_core.GetLinkedDepthOrdinal(unitType);
    if (target < 0) return;
    CDBVariant written;
    if (dValue != kNullSentinel) {
        const CFieldInfo* info = m_core.GetExchangedFieldInfo(target);
        switch (info ? info->m_nDataType : FX_NONE) {
        case FX_SINGLE:
            written.m_dwType = DBVT_SINGLE;
            written.m_fltVal = static_cast<float>(dValue);
            break;
        case FX_DOUBLE:
            written.m_dwType = DBVT_DOUBLE;
            written.m_dblVal = dValue;
            break;
        case FX_TEXT: case FX_FIXEDTEXT: case 18: case 19: case FX_LONGTEXT: case FX_DECIMALTEXT:
            written.m_dwType = DBVT_STRING;
            written.m_pstring = new std::string(tesk::text::Format("%f", dValue));
            break;
        default: return;
        }
    }
    SetExchangedFieldValue(target, written);
}

bool TeskRecordset::IsLinkedDepthColumn(const std::string& columnName) {
    AUTOMATION_ENTRY();
    return m_core.IsLinkedDepthColumn(columnName.c_str());
}

short TeskRecordset::GetFieldUnit(short index) {
    AUTOMATION_ENTRY();
    return m_core.GetFieldUnit(index);
}

bool TeskRecordset::IsFieldCoordinate(short index) {
    AUTOMATION_ENTRY();
    return m_core.IsFieldCoordinate(index);
}

bool TeskRecordset::IsFieldXCoordinate(short index) {
    AUTOMATION_ENTRY();
    return m_core.IsFieldXCoordinate(index);
}

bool TeskRecordset::IsFieldYCoordinate(short index) {
    AUTOMATION_ENTRY();
    return m_core.IsFieldYCoordinate(index);
}

short TeskRecordset::GetCoordinateField(short index) {
    AUTOMATION_ENTRY();
    return m_core.GetCoordinateField(index);
}

} // namespace TeskDataProvider
