#pragma once
// A read-only record set over a caller's SQL statement. It binds every
// column the statement returns, with an exchange code chosen from the
// column's SQL type.

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/db/CRecordset.h"

class CTeskDynamicSet : public CRecordset {
public:
    using CRecordset::CRecordset;

    // What a column is bound to; one per result column, in column order.
    struct Field {
        int32_t nCode = FX_NONE;
        int32_t nValue = 0;
        float fValue = 0;
        double dValue = 0;
        CString strValue;
        std::vector<uint8_t> binValue;
        TIMESTAMP_STRUCT tsValue{};
    };

    // The exchange code a column of this SQL type is bound with.
    static int32_t CodeForSqlType(int16_t nSQLType);

    const std::deque<Field>& GetFields() const { return m_fields; }
    // A name for messages; the factory sets it from its caller.
    CString m_strLabel;

    void DoFieldExchange(CFieldExchange* pFX) override;

private:
    // A deque keeps the members where they are while it grows.
    std::deque<Field> m_fields;
};
