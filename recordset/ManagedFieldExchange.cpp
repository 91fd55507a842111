// Typed field values of the managed record set: each bound member read into,
// and written from, the runtime's boxed values by its exchange code.

#include <cmath>
#include <cstring>

#include "managed/ManagedModule.h"
#include "platform/clr/DateTime.h"
#include "platform/db/COleDateTime.h"
#include "platform/db/CTime.h"
#include "platform/db/TimestampText.h"
#include "recordset/FixedBuffer.h"
#include "recordset/ManagedRecordset.h"
#include "recordset/PooledBox.h"
#include "recordset/NullSentinel.h"
#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"

namespace TeskDataProvider {

using System::Box;
using System::DateTime;
using System::Int16;
using System::ObjectRef;

namespace {

const System::Type& managedTypeOf(int32_t code) {
    switch (code) {
    case FX_BOOL: return System::Type::Of<bool>();
    case FX_BYTE: return System::Type::Of<uint8_t>();
    case FX_INT:
    case FX_LONG: return System::Type::Of<int32_t>();
    case FX_SINGLE: return System::Type::Of<float>();
    case FX_DOUBLE: return System::Type::Of<double>();
    case FX_CTIME:
    case FX_TIMESTAMP:
    case FX_OLEDATE: return System::Type::Of<DateTime>();
    case FX_TEXT:
    case FX_FIXEDTEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: return System::Type::Of<System::String>();
    default: return System::Type::Of<System::Object>();
    }
}

template <class T> const T& require(const ObjectRef& value) {
    const T* v = System::TryUnbox<T>(value);
    if (!v) throw System::InvalidCastException();
    return *v;
}


// The bound member's value boxed by its exchange code (info: the member's
// field-exchange entry, or null): DBNull for a null;
// without a bound field, or for a code that carries no value, no object at all
// or (contentless) a plain object. Shared by the public readers, each of which
// has entered the module already; the caller's result is built in place.
ObjectRef exchangedValue(const RecordsetAdapter& core, Int16 nIndex, const CFieldInfo* info, bool contentless) {
    void* pv = core.GetExchangedField(nIndex);
    if (!pv || !info) return contentless ? System::NewObject() : nullptr;
    // pv is the member numbered nIndex + 1 and members are unique in the
    // map, so its null status is the one at nIndex.
    if (core.m_pBaseSet->IsFieldNullAt(static_cast<size_t>(nIndex))) return System::DBNull::Value();
    switch (info->m_nDataType) {
    case FX_BOOL: return PooledBox<bool>(*static_cast<int32_t*>(pv) != 0);
    case FX_BYTE: return PooledBox<uint8_t>(*static_cast<uint8_t*>(pv));
    case FX_INT:
    case FX_LONG: return PooledBox<int32_t>(*static_cast<int32_t*>(pv));
    case FX_SINGLE: {
        const float v = *static_cast<float*>(pv);
        if (v == kNullSentinelSingle || std::isnan(v)) return System::DBNull::Value();
        return PooledBox<float>(v);
    }
    case FX_DOUBLE: {
        const double v = *static_cast<double*>(pv);
        if (v == kNullSentinel || std::isnan(v)) return System::DBNull::Value();
        return PooledBox<double>(v);
    }
    case FX_CTIME: {
        const CTime& t = *static_cast<CTime*>(pv);
        return PooledBox(DateTime(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond()));
    }
    case FX_TIMESTAMP: {
        const auto& ts = *static_cast<TIMESTAMP_STRUCT*>(pv);
        return PooledBox(DateTime(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second,
                            static_cast<int>(ts.fraction / 1000000)));
    }
    case FX_OLEDATE: {
        const auto p = static_cast<COleDateTime*>(pv)->parts();
        return PooledBox(DateTime(p.year, p.month, p.day, p.hour, p.minute, p.second));
    }
    case FX_TEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: return PooledBox(System::FromAnsi(*static_cast<CString*>(pv)));
    case FX_FIXEDTEXT: return PooledBox(System::FromAnsi(FixedBufferText(pv, info->m_nLength)));
    default: return contentless ? System::NewObject() : nullptr;
    }
}

} // namespace

void* ManagedRecordset::GetExchangedField(Int16 nIndex) {
    MANAGED_ENTRY();
    return m_core.GetExchangedField(nIndex);
}

const System::Type& ManagedRecordset::GetFieldType(Int16 index) {
    MANAGED_ENTRY();
    if (!m_core.IsValidOrdinal(index)) return System::Type::Of<System::Object>();
    if (m_core.IsFieldSurvey(index)) return System::Type::Of<ManagedWellSurvey>();
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(index);
    return managedTypeOf(info ? info->m_nDataType : FX_NONE);
}

System::ObjectRef ManagedRecordset::GetFieldValue(Int16 index) {
    MANAGED_ENTRY();
    if (!m_core.IsValidOrdinal(index)) return System::NewObject();
    if (m_core.IsFieldSurvey(index))
        return GetWellSurveyFromRecorset(static_cast<CTeskHeaderAndBlobSet*>(m_core.m_pBaseSet));
    return exchangedValue(m_core, index, m_core.GetExchangedFieldInfo(index), true);
}

ObjectRef ManagedRecordset::GetExchangedFieldValue(Int16 nIndex) {
    MANAGED_ENTRY();
    return exchangedValue(m_core, nIndex, m_core.GetExchangedFieldInfo(nIndex), false);
}

bool ManagedRecordset::SetExchangedFieldValue(Int16 nIndex, const ObjectRef& valueObj) {
    MANAGED_ENTRY();
    void* pv = m_core.GetExchangedField(nIndex);
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(nIndex);
    if (!pv || !info) return false;
    CRecordset& rs = *m_core.m_pBaseSet;
    if (!valueObj || System::IsDBNull(valueObj)) {
        rs.SetFieldNull(pv, true);
        return true;
    }
    switch (info->m_nDataType) {
    case FX_NONE: break;
    case FX_BOOL: *static_cast<int32_t*>(pv) = require<bool>(valueObj) ? 1 : 0; break;
    case FX_BYTE: *static_cast<uint8_t*>(pv) = require<uint8_t>(valueObj); break;
    case FX_INT:
    case FX_LONG: *static_cast<int32_t*>(pv) = require<int32_t>(valueObj); break;
    case FX_SINGLE: *static_cast<float*>(pv) = require<float>(valueObj); break;
    case FX_DOUBLE: *static_cast<double*>(pv) = require<double>(valueObj); break;
    case FX_CTIME: {
        const DateTime& d = require<DateTime>(valueObj);
        *static_cast<CTime*>(pv) = CTime(d.Year(), d.Month(), d.Day(), d.Hour(), d.Minute(), d.Second());
        break;
    }
    case FX_TIMESTAMP: {
        const DateTime& d = require<DateTime>(valueObj);
        *static_cast<TIMESTAMP_STRUCT*>(pv) =
            tesk::db::MakeTimestamp(d.Year(), d.Month(), d.Day(), d.Hour(), d.Minute(), d.Second(),
                                    static_cast<uint32_t>(d.Millisecond()) * 1000000u);
        break;
    }
    case FX_OLEDATE: {
        const DateTime& d = require<DateTime>(valueObj);
        static_cast<COleDateTime*>(pv)->SetDateTime(d.Year(), d.Month(), d.Day(), d.Hour(), d.Minute(), d.Second());
        break;
    }
    case FX_TEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: *static_cast<CString*>(pv) = System::ToAnsi(require<System::String>(valueObj)); break;
    case FX_FIXEDTEXT:
        if (!StoreFixedBufferText(pv, info->m_nLength, System::ToAnsi(require<System::String>(valueObj))))
            return false;
        break;
    default: return false;  // binary and codes without a value of their own
    }
    if (rs.IsFieldNull(pv)) rs.SetFieldNull(pv, false);
    return true;
}

bool ManagedRecordset::SetFieldValue(Int16 index, const ObjectRef& valueObj) {
    MANAGED_ENTRY();
    if (!m_core.IsValidOrdinal(index)) return false;
    if (m_core.IsFieldSurvey(index)) {
        if (!valueObj) throw System::NullReferenceException();
        auto survey = std::dynamic_pointer_cast<ManagedWellSurvey>(valueObj);
        if (!survey) throw System::InvalidCastException();
        return SetWellSurveyToRecordset(survey);
    }
    const bool stored = SetExchangedFieldValue(index, valueObj);
    UpdateLinkedDepthColumns(index, valueObj);
    return stored;
}

} // namespace TeskDataProvider
