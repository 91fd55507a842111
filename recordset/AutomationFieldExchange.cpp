// Typed field values of the automation record set: each bound member read into
// and written from automation values, through the database variant.

#include <cstring>

#include "automation/AutomationModule.h"
#include "platform/com/Date.h"
#include "platform/db/COleDateTime.h"
#include "platform/db/CTime.h"
#include "platform/db/TimestampText.h"
#include "recordset/FixedBuffer.h"
#include "recordset/LosslessCoercion.h"
#include "recordset/NullSentinel.h"
#include "recordset/TeskRecordset.h"

namespace TeskDataProvider {

using tesk::com::Variant;

namespace {

// The automation value of a database variant; the date's fraction is dropped.
VARIANT automationValueOf(const CDBVariant& value) {
    VARIANT out;
    VariantInit(&out);
    out.vt = VT_NULL;
    switch (value.m_dwType) {
    case DBVT_BOOL:
        out.vt = VT_BOOL;
        out.boolVal = static_cast<VARIANT_BOOL>(static_cast<uint16_t>(value.m_boolVal));
        break;
    case DBVT_UCHAR: out.vt = VT_UI1; out.bVal = value.m_chVal; break;
    case DBVT_SHORT: out.vt = VT_I2; out.iVal = value.m_iVal; break;
    case DBVT_LONG: out.vt = VT_I4; out.lVal = value.m_lVal; break;
    case DBVT_SINGLE: out.vt = VT_R4; out.fltVal = value.m_fltVal; break;
    case DBVT_DOUBLE: out.vt = VT_R8; out.dblVal = value.m_dblVal; break;
    case DBVT_DATE: {
        const TIMESTAMP_STRUCT& ts = *value.m_pdate;
        const SYSTEMTIME st{static_cast<WORD>(ts.year), ts.month, 0, ts.day, ts.hour, ts.minute, ts.second, 0};
        // A date the automation calendar cannot hold (years before 100) stays null.
        if (SystemTimeToVariantTime(&st, &out.date)) out.vt = VT_DATE;
        break;
    }
    case DBVT_STRING:
        out.vt = VT_BSTR;
        out.bstrVal = tesk::com::BstrFromUtf8(*value.m_pstring);
        break;
    case DBVT_BINARY: out.vt = VT_BOOL; out.boolVal = VARIANT_FALSE; break;
    default: break;
    }
    return out;
}

// Gives the variant new, empty storage of the kind.
void makeEmpty(CDBVariant& value, DBVariantKind kind) {
    value.Clear();
    value.m_dwType = kind;
    switch (kind) {
    case DBVT_DATE: value.m_pdate = new TIMESTAMP_STRUCT{}; break;
    case DBVT_STRING: value.m_pstring = new std::string(); break;
    case DBVT_BINARY: value.m_pbinary = new CLongBinary(); break;
    default: break;
    }
}

// The automation type a column of the code is written with. Truth-value and
// integer columns take VT_BOOL, VT_I2, VT_UI1 and VT_I4 as they are.
VARTYPE columnTypeOf(int32_t code, VARTYPE given) {
    switch (code) {
    case FX_BOOL: case FX_INT: case FX_LONG:
        return given == VT_BOOL || given == VT_I2 || given == VT_UI1 ? given : VARTYPE(VT_I4);
    case FX_BYTE: return VT_UI1;
    case FX_SINGLE: return VT_R4;
    case FX_DOUBLE: return VT_R8;
    case FX_CTIME: case FX_TIMESTAMP: case FX_OLEDATE: return VT_DATE;
    case FX_TEXT: case FX_FIXEDTEXT: case FX_LONGTEXT: case FX_DECIMALTEXT: return VT_BSTR;
    default: return given; // no value of its own: the store refuses it whatever it is
    }
}

// The database variant of an automation value of a supported type.
bool databaseValueOf(const VARIANT& in, CDBVariant& out) {
    out.Clear();
    switch (in.vt) {
    case VT_NULL: case VT_EMPTY: return true;
    case VT_I2: out.m_dwType = DBVT_SHORT; out.m_iVal = in.iVal; return true;
    case VT_I4: out.m_dwType = DBVT_LONG; out.m_lVal = in.lVal; return true;
    case VT_R4: out.m_dwType = DBVT_SINGLE; out.m_fltVal = in.fltVal; return true;
    case VT_R8: out.m_dwType = DBVT_DOUBLE; out.m_dblVal = in.dblVal; return true;
    case VT_BOOL: out.m_dwType = DBVT_BOOL; out.m_boolVal = in.boolVal; return true;  // true widens to -1
    case VT_UI1: out.m_dwType = DBVT_UCHAR; out.m_chVal = in.bVal; return true;
    case VT_BSTR:
        makeEmpty(out, DBVT_STRING);
        *out.m_pstring = tesk::com::Utf8FromBstr(in.bstrVal);
        return true;
    case VT_DATE: {
        SYSTEMTIME st{};
        if (!VariantTimeToSystemTime(in.date, &st)) return false;
        makeEmpty(out, DBVT_DATE);
        *out.m_pdate = tesk::db::MakeTimestamp(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
        return true;
    }
    default: return false;
    }
}

// The variant's integer, whatever integer kind it is; false for other kinds.
bool integerOf(const CDBVariant& v, int32_t& out) {
    switch (v.m_dwType) {
    case DBVT_BOOL: out = v.m_boolVal; return true;
    case DBVT_UCHAR: out = v.m_chVal; return true;
    case DBVT_SHORT: out = v.m_iVal; return true;
    case DBVT_LONG: out = v.m_lVal; return true;
    default: return false;
    }
}

} // namespace

DBVariantKind TeskRecordset::ConvertFieldInfoTypeToDBVariantType(int32_t nFieldInfoType) {
    switch (nFieldInfoType) {
    case FX_BOOL: return DBVT_BOOL;
    case FX_BYTE: return DBVT_UCHAR;
    case FX_INT: case FX_LONG: return DBVT_LONG;
    case FX_SINGLE: return DBVT_SINGLE;
    case FX_DOUBLE: return DBVT_DOUBLE;
    case FX_CTIME: case FX_TIMESTAMP: case FX_OLEDATE: return DBVT_DATE;
    case FX_BINARY: return DBVT_BINARY;
    case FX_TEXT: case FX_FIXEDTEXT: case FX_LONGTEXT: case FX_DECIMALTEXT: return DBVT_STRING;
    default: return DBVT_NULL;
    }
}

void* TeskRecordset::GetExchangedField(short nIndex) {
    AUTOMATION_ENTRY();
    return m_core.GetExchangedField(nIndex);
}

void TeskRecordset::GetExchangedFieldValue(short nIndex, CDBVariant& value) {
    AUTOMATION_ENTRY();
    if (!m_core.m_pBaseSet) return;
    value.Clear();
    void* pv = m_core.GetExchangedField(nIndex);
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(nIndex);
    // pv is the member numbered nIndex + 1, so its null status is the one at nIndex.
    if (!pv || !info || m_core.m_pBaseSet->IsFieldNullAt(static_cast<size_t>(nIndex))) return;
    makeEmpty(value, ConvertFieldInfoTypeToDBVariantType(info->m_nDataType));
    switch (info->m_nDataType) {
    case FX_BOOL: value.m_boolVal = *static_cast<int32_t*>(pv); break;
    case FX_INT: case FX_LONG: value.m_lVal = *static_cast<int32_t*>(pv); break;
    case FX_BYTE: value.m_chVal = *static_cast<uint8_t*>(pv); break;
    case FX_SINGLE:
        value.m_fltVal = *static_cast<float*>(pv);
        if (value.m_fltVal == kNullSentinelSingle) value.Clear();
        break;
    case FX_DOUBLE:
        value.m_dblVal = *static_cast<double*>(pv);
        if (value.m_dblVal == kNullSentinel) value.Clear();
        break;
    case FX_CTIME: {
        const CTime& t = *static_cast<CTime*>(pv);
        *value.m_pdate = tesk::db::MakeTimestamp(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
        break;
    }
    case FX_TIMESTAMP: *value.m_pdate = *static_cast<TIMESTAMP_STRUCT*>(pv); break;
    case FX_OLEDATE: {
        const auto p = static_cast<COleDateTime*>(pv)->parts();
        *value.m_pdate = tesk::db::MakeTimestamp(p.year, p.month, p.day, p.hour, p.minute, p.second);
        break;
    }
    case FX_TEXT: case FX_LONGTEXT: case FX_DECIMALTEXT: *value.m_pstring = *static_cast<CString*>(pv); break;
    case FX_FIXEDTEXT:
        // A buffer filled to its last byte without a terminator gives its L characters, never more.
        value.m_pstring->assign(FixedBufferText(pv, info->m_nLength));
        break;
    default: break;
    }
}

bool TeskRecordset::SetExchangedFieldValue(short nIndex, const CDBVariant& value) {
    AUTOMATION_ENTRY();
    void* pv = m_core.GetExchangedField(nIndex);
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(nIndex);
    if (!pv || !info) return false;
    CRecordset& rs = *m_core.m_pBaseSet;
    if (value.m_dwType == DBVT_NULL) {
        rs.SetFieldNull(pv, true);
        return true;
    }
    // Each code reads the variant only as the kind it holds: a variant of
    // another kind is refused, never reinterpreted.
    const uint32_t kind = value.m_dwType;
    switch (info->m_nDataType) {
    case FX_NONE: break;
    case FX_BOOL: case FX_INT: case FX_LONG: {
        int32_t v;
        if (!integerOf(value, v)) return false;
        *static_cast<int32_t*>(pv) = v;
        break;
    }
    case FX_BYTE:
        if (kind != DBVT_UCHAR) return false;
        *static_cast<uint8_t*>(pv) = value.m_chVal;
        break;
    case FX_SINGLE:
        if (kind != DBVT_SINGLE) return false;
        *static_cast<float*>(pv) = value.m_fltVal;
        break;
    case FX_DOUBLE:
        if (kind != DBVT_DOUBLE) return false;
        *static_cast<double*>(pv) = value.m_dblVal;
        break;
    case FX_CTIME: case FX_TIMESTAMP: case FX_OLEDATE: {
        if (kind != DBVT_DATE) return false;
        const TIMESTAMP_STRUCT& ts = *value.m_pdate;
        if (info->m_nDataType == FX_TIMESTAMP)
            *static_cast<TIMESTAMP_STRUCT*>(pv) = ts;
        else if (info->m_nDataType == FX_CTIME)
            *static_cast<CTime*>(pv) = CTime(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second);
        else
            static_cast<COleDateTime*>(pv)->SetDateTime(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second);
        break;
    }
    case FX_TEXT: case FX_LONGTEXT: case FX_DECIMALTEXT:
        if (kind != DBVT_STRING) return false;
        *static_cast<CString*>(pv) = *value.m_pstring;
        break;
    case FX_FIXEDTEXT:
        // As in the managed library, a text that does not fit is refused whole.
        if (kind != DBVT_STRING || !StoreFixedBufferText(pv, info->m_nLength, *value.m_pstring)) return false;
        break;
    default: return false;  // binary and codes without a value of their own
    }
    if (rs.IsFieldNull(pv)) rs.SetFieldNull(pv, false);
    return true;
}

VARIANT TeskRecordset::GetFieldType(short index) {
    AUTOMATION_ENTRY();
    VARIANT out;
    VariantInit(&out);
    if (!m_core.IsValidOrdinal(index)) return out;
    const CFieldInfo* info = m_core.GetExchangedFieldInfo(index);
    CDBVariant placeholder;
    makeEmpty(placeholder, ConvertFieldInfoTypeToDBVariantType(info ? info->m_nDataType : FX_NONE));
    if (placeholder.m_dwType == DBVT_DATE) *placeholder.m_pdate = tesk::db::MakeTimestamp(1899, 12, 30, 0, 0, 0);
    return automationValueOf(placeholder);
}

VARIANT TeskRecordset::GetFieldValue(short index) {
    AUTOMATION_ENTRY();
    if (!m_core.IsValidOrdinal(index)) {
        VARIANT empty;
        VariantInit(&empty);
        return empty;
    }
    CDBVariant value;
    GetExchangedFieldValue(index, value);
    return automationValueOf(value);
}

bool TeskRecordset::SetFieldValue(short index, const VARIANT& value) {
    AUTOMATION_ENTRY();
    if (!m_core.IsValidOrdinal(index) || m_core.IsFieldSurvey(index)) return false;
    Variant given;
    if (FAILED(VariantCopyInd(&given.get(), &value))) return false;
    CDBVariant dbValue;
    if (given.vt() != VT_NULL && given.vt() != VT_EMPTY) {
        const CFieldInfo* info = m_core.GetExchangedFieldInfo(index);
        Variant typed;
        if (!CoerceLosslessly(given.get(), columnTypeOf(info ? info->m_nDataType : FX_NONE, given.vt()), typed) ||
            !databaseValueOf(typed.get(), dbValue))
            return false;
    }
    const bool stored = SetExchangedFieldValue(index, dbValue);
    UpdateLinkedDepthColumns(index, dbValue);
    return stored;
}

} // namespace TeskDataProvider
