#pragma once
#include <cstdint>
#include <sql.h>
#include <sqlext.h>
#include <string>

#include "platform/db/CLongBinary.h"

enum DBVariantKind : uint32_t {
    DBVT_NULL = 0,
    DBVT_BOOL = 1,
    DBVT_UCHAR = 2,
    DBVT_SHORT = 3,
    DBVT_LONG = 4,
    DBVT_SINGLE = 5,
    DBVT_DOUBLE = 6,
    DBVT_DATE = 7,
    DBVT_STRING = 8,
    DBVT_BINARY = 9,
};

// A database value of one kind. The date, text and binary kinds own their storage.
class CDBVariant {
public:
    CDBVariant() = default;
    CDBVariant(const CDBVariant&) = delete;
    CDBVariant& operator=(const CDBVariant&) = delete;
    ~CDBVariant() { Clear(); }

    // Frees owned storage and returns to the null kind.
    void Clear();

    uint32_t m_dwType = DBVT_NULL;
    union {
        int32_t m_boolVal;
        unsigned char m_chVal;
        short m_iVal;
        int32_t m_lVal;
        float m_fltVal;
        double m_dblVal;
        TIMESTAMP_STRUCT* m_pdate;
        std::string* m_pstring;
        CLongBinary* m_pbinary;
    };
};
