#pragma once
// The managed record-set interface clients program against, and its open types.

#include "platform/clr/Object.h"
#include "platform/clr/String.h"

namespace tesk::Infrastructure::Corvane {

enum class OpenType : int { Dynaset = 0, Snapshot = 1, ForwardOnly = 2, Dynamic = 3 };

class ITeskRecordset {
public:
    virtual ~ITeskRecordset() = default;
    virtual System::Int16 GetNumFields() = 0;
    virtual System::String GetFieldName(System::Int16 index) = 0;
    virtual bool IsEOF() = 0;
    virtual void MoveFirst() = 0;
    virtual System::ObjectRef GetFieldValue(System::Int16 index) = 0;
};

} // namespace tesk::Infrastructure::Corvane
