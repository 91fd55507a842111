#pragma once
// The managed face of the record-set adapter.

#include <memory>

#include "platform/clr/Disposable.h"
#include "platform/clr/Exceptions.h"
#include "platform/clr/String.h"
#include "platform/db/CDBException.h"
#include "recordset/RecordsetAdapter.h"
#include "services/Corvane/ITeskRecordset.h"
#include "survey/ManagedWellSurvey.h"

class CTeskHeaderAndBlobSet;

namespace TeskDataProvider {

class ManagedRecordset : public System::Finalizable,
                         public tesk::Infrastructure::Corvane::ITeskRecordset,
                         public System::IDisposable {
public:
    static constexpr System::Int32 SQLNumeric = 2;

    ManagedRecordset();
    ~ManagedRecordset() override;
    const System::Type& GetType() const override;

    void SetRecordset(const char* lpszName, CRecordset* pBaseSet);

    // ITeskRecordset
    System::Int16 GetNumFields() override;
    System::String GetFieldName(System::Int16 index) override;
    bool IsEOF() override;
    void MoveFirst() override;
    System::ObjectRef GetFieldValue(System::Int16 index) override;

    System::UInt32 GetFieldSize(System::Int16 index);
    System::Int16 GetFieldScale(System::Int16 index);
    System::Int16 GetFieldNullability(System::Int16 index);
    System::Int16 GetFieldSQLType(System::Int16 index);
    System::Int16 GetColumnIndex(const char* lpszColumnName);
    bool IsBOF();
    System::Int32 MoveNext();
    void Edit();
    void AddNew();
    // A database refusal raises SystemException carrying the database's message.
    bool Update();
    void Delete();
    bool Requery();

    // Typed field values.
    const System::Type& GetFieldType(System::Int16 index);
    bool SetFieldValue(System::Int16 index, const System::ObjectRef& valueObj);
    void* GetExchangedField(System::Int16 nIndex);
    // Null (no object at all) without a bound field or for codes that carry no value.
    System::ObjectRef GetExchangedFieldValue(System::Int16 nIndex);
    // Raises InvalidCastException, before storing anything, for a value of the wrong type.
    bool SetExchangedFieldValue(System::Int16 nIndex, const System::ObjectRef& valueObj);

    // Column roles.
    void PopulateKeyColumns(const char* name);
    void AddKeyColumn(const char* lpszKeyColumn);
    void AddLinkedDepthColumn(const char* lpszLinkedDepthColumn, TeskDepthUnitType::DEPTH_UNIT_TYPE nType);
    void AddCoordinateColumn(const char* lpszOrdinateColumn, teskCoordinate coordinate,
                             const char* lpszCoordinateColumn);
    bool IsKeyColumn(const System::String& columnName);
    bool IsColumnKey(const char* lpszColumnName);
    void ClearKeyColumns();

    // Linked depths, units and coordinates of the columns.
    bool IsLinkedDepthColumn(const System::String& columnName);
    void ClearLinkedDepthColumns();
    System::Int16 GetFieldUnit(System::Int16 index);
    bool IsFieldCoordinate(System::Int16 index);
    bool IsFieldXCoordinate(System::Int16 index);
    bool IsFieldYCoordinate(System::Int16 index);
    System::Int16 GetCoordinateField(System::Int16 index);
    void ClearCoordinateColumns();

    // The survey field of a well-header record set.
    bool IsTeskHeaderAndBlobSet();
    bool HasSurveyField();
    bool IsFieldSurvey(int index);
    // A new survey object of the current row; null without a well-header set.
    ManagedWellSurveyRef GetWellSurvey();
    static ManagedWellSurveyRef GetWellSurveyFromRecorset(CTeskHeaderAndBlobSet* pHeaderAndBlobSet);
    // Stores the survey as the current row's well's survey, with its
    // stations and directional-survey row. False, with nothing written,
    // without a well-header set, or for a deviated survey of a well without
    // a directional-survey row.
    bool SetWellSurveyToRecordset(const ManagedWellSurveyRef& wellSurvey);

    // The exception's message, at most 254 characters, in a new system error.
    static System::SystemException ConvertToManagedException(const CException& e);

    void Dispose() override;

    // The adapter core, for the other parts of the provider.
    RecordsetAdapter& Core() { return m_core; }

protected:
    // Brings the other linked depth column into line after a depth was
    // written. A value that is no number raises InvalidCastException or
    // FormatException after the written field has kept it.
    void UpdateLinkedDepthColumns(System::Int16 index, const System::ObjectRef& valueObj);
    void UpdateLinkedDepth(double dValue, TeskDepthUnitType::DEPTH_UNIT_TYPE unitType);
    virtual void Dispose(bool disposing);
    void DeleteMe();
    // Unreleased at finalization: the object-lifetime registry disposes it later.
    void Finalize(std::unique_ptr<System::Finalizable> self) override;

private:
    RecordsetAdapter m_core;
};

using ManagedRecordsetRef = std::shared_ptr<ManagedRecordset>;

} // namespace TeskDataProvider

template <> struct System::TypeName<TeskDataProvider::ManagedRecordset> {
    static std::string value() { return "TeskDataProvider.ManagedRecordset"; }
};
