#include "services/TeskDataFactory/CTeskDynamicSet.h"

int32_t CTeskDynamicSet::CodeForSqlType(int16_t nSQLType) {
    switch (nSQLType) {
    case SQL_BIT: return FX_BOOL;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER: return FX_LONG;
    case SQL_BIGINT:  // exact up to 2^53
    case SQL_FLOAT:
    case SQL_DOUBLE: return FX_DOUBLE;
    case SQL_REAL: return FX_SINGLE;
    case SQL_NUMERIC:
    case SQL_DECIMAL: return FX_DECIMALTEXT;
    case SQL_DATE:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP: return FX_TIMESTAMP;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: return FX_BINARY;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR: return FX_LONGTEXT;
    default: return FX_TEXT;
    }
}

void CTeskDynamicSet::DoFieldExchange(CFieldExchange* pFX) {
    m_fields.clear();
    const int count = GetResultColumnCount();
    for (int i = 0; i < count; ++i) {
        const tesk::db::ColumnDesc& column = GetResultColumn(i);
        Field& f = m_fields.emplace_back();
        f.nCode = CodeForSqlType(column.sqlType);
        const char* name = column.name.c_str();
        switch (f.nCode) {
        case FX_BOOL: RFX_Bool(pFX, name, f.nValue); break;
        case FX_LONG: RFX_Long(pFX, name, f.nValue); break;
        case FX_SINGLE: RFX_Single(pFX, name, f.fValue); break;
        case FX_DOUBLE: RFX_Double(pFX, name, f.dValue); break;
        case FX_DECIMALTEXT: RFX_DecimalText(pFX, name, f.strValue); break;
        case FX_TIMESTAMP: RFX_Date(pFX, name, f.tsValue); break;
        case FX_BINARY: RFX_Binary(pFX, name, f.binValue); break;
        case FX_LONGTEXT: RFX_LongText(pFX, name, f.strValue); break;
        default: RFX_Text(pFX, name, f.strValue); break;
        }
    }
}
