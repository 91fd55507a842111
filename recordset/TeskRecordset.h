#pragma once
// The automation face of the record-set adapter. Its dispatch surface maps
// these operations to automation values; texts here are 8-bit.

#include <string>

#include "platform/com/Variant.h"
#include "platform/db/CDBVariant.h"
#include "recordset/RecordsetAdapter.h"

namespace TeskDataProvider {

class TeskRecordset {
public:
    TeskRecordset();
    ~TeskRecordset();
    TeskRecordset(const TeskRecordset&) = delete;
    TeskRecordset& operator=(const TeskRecordset&) = delete;

    void SetRecordset(const char* lpszName, CRecordset* pBaseSet);

    short GetNumFields();
    std::string GetFieldName(short index);
    // The low 16 bits of the column's precision, taken as signed.
    short GetFieldSize(short index);
    bool IsBOF();
    bool IsEOF();
    void MoveFirst();
    long MoveNext();
    void Edit();
    void AddNew();
    // False when the database refuses the row; no message reaches the caller.
    bool Update();
    void Delete();
    bool Requery();

    // Typed values. Every VARIANT returned belongs to the caller.
    // The column's automation type, with a placeholder value; VT_EMPTY for
    // an ordinal that is not valid.
    VARIANT GetFieldType(short index);
    // The current row's value: VT_NULL for a database null or the null
    // sentinel, VT_EMPTY for an ordinal that is not valid.
    VARIANT GetFieldValue(short index);
    // Stores a value converted losslessly to the column's type; a by-reference
    // value is read through. VT_NULL and VT_EMPTY store a database null. False,
    // with nothing stored, for a value the column cannot hold exactly, an
    // object, an array, or a column without a value of its own.
    bool SetFieldValue(short index, const VARIANT& value);
    // Exact, case-sensitive comparison with the record set's key column names.
    bool IsKeyColumn(const std::string& columnName);
    bool IsLinkedDepthColumn(const std::string& columnName);
    short GetFieldUnit(short index);
    bool IsFieldCoordinate(short index);
    bool IsFieldXCoordinate(short index);
    bool IsFieldYCoordinate(short index);
    short GetCoordinateField(short index);

    // The exchange beneath the values, through the database variant.
    void* GetExchangedField(short nIndex);
    void GetExchangedFieldValue(short nIndex, CDBVariant& value);
    bool SetExchangedFieldValue(short nIndex, const CDBVariant& value);
    static DBVariantKind ConvertFieldInfoTypeToDBVariantType(int32_t nFieldInfoType);

    RecordsetAdapter& Core() { return m_core; }

private:
    // Brings the linked depth columns in line after a value was written.
    void UpdateLinkedDepthColumns(short index, const CDBVariant& value);
    void UpdateLinkedDepth(double dValue, TeskDepthUnitType::DEPTH_UNIT_TYPE unitType);

    RecordsetAdapter m_core;
};

} // namespace TeskDataProvider
