#pragma once
// Base of the record sets over the project's writable tables: each such table
// has the integer key "_id" and the row version "_rowver", which the record
// set raises on every write and checks against the value it read.

#include "platform/db/CRecordset.h"

class CTeskTableSet : public CRecordset {
public:
    using CRecordset::CRecordset;

    CString GetKeyColumn() override { return "_id"; }
    CString GetVersionColumn() override { return "_rowver"; }
};
