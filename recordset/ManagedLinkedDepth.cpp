// The managed record set's linked depth columns, units and coordinate roles.

#include <cstdlib>

#include "managed/ManagedModule.h"
#include "platform/text/Format.h"
#include "recordset/ManagedRecordset.h"
#include "recordset/NullSentinel.h"

namespace TeskDataProvider {

using System::Int16;
using System::ObjectRef;

namespace {

// The number a written value stands for, as the runtime's conversion to
// Double reads it: numbers by value, truth values as 1 and 0, texts parsed.
double toDouble(const ObjectRef& value) {
    if (auto* v = System::TryUnbox<double>(value)) return *v;
    if (auto* v = System::TryUnbox<float>(value)) return *v;
    if (auto* v = System::TryUnbox<int32_t>(value)) return *v;
    if (auto* v = System::TryUnbox<uint8_t>(value)) return *v;
    if (auto* v = System::TryUnbox<bool>(value)) return *v ? 1.0 : 0.0;
    if (auto* v = System::TryUnbox<System::String>(value)) {
        const std::string text = System::ToAnsi(*v);
        const char* begin = text.c_str();
        while (*begin == ' ' || *begin == '\t') ++begin;
        char* end = nullptr;
        const double d = std::strtod(begin, &end);
        while (end && (*end == ' ' || *end == '\t')) ++end;
        if (end == begin || !end || *end != '\0') throw System::FormatException();
        return d;
    }
    throw System::InvalidCastException();
}

} // namespace

void ManagedRecordset::UpdateLinkedDepthColumns(Int16 index, const ObjectRef& valueObj) {
    MANAGED_ENTRY();
    TeskDepthUnitType::DEPTH_UNIT_TYPE written;
    if (!m_core.GetLinkedDepthType(index, written) || m_core.m_indexWellID == -1) return;
    const ObjectRef wellId = GetExchangedFieldValue(static_cast<Int16>(m_core.m_indexWellID));
    const System::String* id = System::TryUnbox<System::String>(wellId);
    if (!id) return;
    const double depth = !valueObj || System::IsDBNull(valueObj) ? kNullSentinel : toDouble(valueObj);
    if (written == TeskDepthUnitType::DEPTH_SUBSEA) return;
    const double other =
        depth == kNullSentinel ? depth : RecordsetAdapter::ConvertLinkedDepth(System::ToAnsi(*id), depth, written);
    UpdateLinkedDepth(other, written == TeskDepthUnitType::DEPTH_MD ? TeskDepthUnitType::DEPTH_TVD
                                                                    : TeskDepthUnitType::DEPTH_MD);
}

void ManagedRecordset::UpdateLinkedDepth(double dValue, TeskDepthUnitType::DEPTH_UNIT_TYPE unitType) {
    const Int16 target = m_core.GetLinkedDepthOrdinal(unitType);
    if (target < 0) return;
    if (dValue == kNullSentinel) {
        SetExchangedFieldValue(target, System::DBNull::Value());
        return;
    }
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(target);
    switch (info ? info->m_nDataType : FX_NONE) {
    case FX_SINGLE: SetExchangedFieldValue(target, System::Box(static_cast<float>(dValue))); break;
    case FX_DOUBLE: SetExchangedFieldValue(target, System::Box(dValue)); break;
    case FX_TEXT: case FX_FIXEDTEXT: case 18: case 19: case FX_LONGTEXT: case FX_DECIMALTEXT:
        // The runtime's general number form: 15 significant digits, no trailing zeros.
        SetExchangedFieldValue(target, System::Box(System::FromAnsi(tesk::text::Format("%.15G", dValue))));
        break;
    default: break;
    }
}

bool ManagedRecordset::IsLinkedDepthColumn(const System::String& columnName) {
    MANAGED_ENTRY();
    return m_core.IsLinkedDepthColumn(System::ToAnsi(columnName).c_str());
}

void ManagedRecordset::ClearLinkedDepthColumns() {
    MANAGED_ENTRY();
    m_core.ClearLinkedDepthColumns();
}

Int16 ManagedRecordset::GetFieldUnit(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetFieldUnit(index);
}

bool ManagedRecordset::IsFieldCoordinate(Int16 index) {
    MANAGED_ENTRY();
    return m_core.IsFieldCoordinate(index);
}

bool ManagedRecordset::IsFieldXCoordinate(Int16 index) {
    MANAGED_ENTRY();
    return m_core.IsFieldXCoordinate(index);
}

bool ManagedRecordset::IsFieldYCoordinate(Int16 index) {
    MANAGED_ENTRY();
    return m_core.IsFieldYCoordinate(index);
}

Int16 ManagedRecordset::GetCoordinateField(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetCoordinateField(index);
}

void ManagedRecordset::ClearCoordinateColumns() {
    MANAGED_ENTRY();
    m_core.ClearCoordinateColumns();
}

} // namespace TeskDataProvider
