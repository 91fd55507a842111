#pragma once
// The automation face of the record-set adapter. Its dispatch surface maps
// these operations to automation values; texts here are 8-bit.

#include <string>

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

    RecordsetAdapter& Core() { return m_core; }

private:
    RecordsetAdapter m_core;
};

} // namespace TeskDataProvider
