#pragma once
// The record-set adapter shared by the managed and the automation faces: it
// owns one open record set and answers for its columns, rows and edits.
// Without a record set, or for an ordinal out of range, every query gives a
// neutral answer and raises nothing.

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>

#include "platform/db/CRecordset.h"
#include "recordset/ColumnRoles.h"

class CTeskSurveyPts;

namespace TeskDataProvider {

class RecordsetAdapter {
public:
    enum class Flavour { Managed, Automation };

    explicit RecordsetAdapter(Flavour flavour);
    ~RecordsetAdapter();
    RecordsetAdapter(const RecordsetAdapter&) = delete;
    RecordsetAdapter& operator=(const RecordsetAdapter&) = delete;

    // Takes ownership of an open record set. A second call replaces (and
    // deletes) the first record set.
    void SetRecordset(const char* lpszName, CRecordset* pBaseSet);

    int16_t GetNumFields() const { return m_pBaseSet ? m_pBaseSet->GetODBCFieldCount() : 0; }
    std::string GetFieldName(int16_t index) const;
    uint32_t GetFieldSize(int16_t index) const;
    int16_t GetFieldScale(int16_t index) const;
    int16_t GetFieldNullability(int16_t index) const;
    int16_t GetFieldSQLType(int16_t index) const;
    int16_t GetColumnIndex(const char* lpszColumnName) const;
    bool IsValidOrdinal(int16_t index) const { return m_pBaseSet && index >= 0 && index < GetNumFields(); }

    bool IsBOF() const;
    bool IsEOF() const;
    void MoveFirst();
    int32_t MoveNext();
    void Edit();
    void AddNew();
    // Record-set failures pass through; the faces decide how to report them.
    bool Update();
    void Delete();
    bool Requery();

    // Deletes the record set, the name and the column tables, in this order,
    // each once. Afterwards the adapter answers as one without a record set.
    void DeleteMe();
    // The reverse order used when the automation object is destroyed.
    void DestroyInReverse();
    bool IsReleased() const { return m_keyColumns == nullptr; }

    // Resolves the linked depth names to ordinals once a record set is attached.
    void SetupLinkedDepthColumns();

    // Column roles, from the fixed table by record-set name. After release the
    // tables are gone: registrations are ignored and every query answers false.
    void PopulateKeyColumns(const char* name);
    void AddKeyColumn(const char* lpszKeyColumn);
    void AddLinkedDepthColumn(const char* lpszLinkedDepthColumn, TeskDepthUnitType::DEPTH_UNIT_TYPE nType);
    void AddCoordinateColumn(const char* lpszOrdinateColumn, teskCoordinate coordinate,
                             const char* lpszCoordinateColumn);
    bool IsColumnKey(const char* lpszColumnName) const;
    void ClearKeyColumns();

    // Linked depths: the name test, the written column's kind and the
    // ordinal of the column of a kind (-1 for none).
    bool IsLinkedDepthColumn(const char* lpszColumnName) const;
    bool GetLinkedDepthType(int16_t index, TeskDepthUnitType::DEPTH_UNIT_TYPE& type) const;
    int16_t GetLinkedDepthOrdinal(TeskDepthUnitType::DEPTH_UNIT_TYPE type) const;
    void ClearLinkedDepthColumns();
    // The depth of the other kind at `depth` on the well's stored survey:
    // TVD for a written MD, MD for a written TVD. A well without a deviated
    // survey (straight, none stored, or one that fails to load) gives `depth`.
    static double ConvertLinkedDepth(const std::string& wellId, double depth,
                                     TeskDepthUnitType::DEPTH_UNIT_TYPE writtenType);

    // Units and coordinates of a column, by its name; -1 or false for an
    // ordinal that is not valid.
    int16_t GetFieldUnit(int16_t index) const;
    bool IsFieldCoordinate(int16_t index) const;
    bool IsFieldXCoordinate(int16_t index) const;
    bool IsFieldYCoordinate(int16_t index) const;
    int16_t GetCoordinateField(int16_t index) const;
    void ClearCoordinateColumns();

    // The bound member of the column at nIndex, found by walking the record
    // set's field-number map; null without a record set or bound field.
    void* GetExchangedField(int16_t nIndex) const;
    // The field-exchange entry of the column, or null.
    const CFieldInfo* GetExchangedFieldInfo(int16_t nIndex) const;
    // The survey field: a well-header record set carries each well's survey
    // in its column "Survey Points", read and written as a survey object.
    bool IsTeskHeaderAndBlobSet() const;
    bool IsFieldSurvey(int index) const;
    // A new point set filled from the current row's survey; null without a
    // well-header record set.
    CTeskSurveyPts* ReadSurveyPts() const;

    const Flavour m_flavour;

    using DepthMap = std::map<std::string, TeskDepthUnitType::DEPTH_UNIT_TYPE>;
    using DepthIndexMap = std::map<int32_t, TeskDepthUnitType::DEPTH_UNIT_TYPE>;
    using OrdinateMap = std::map<std::string, teskCoordinate>;
    using PartnerMap = std::map<std::string, std::string>;

    CRecordset* m_pBaseSet = nullptr;
    std::unique_ptr<std::string> m_pName;
    std::unique_ptr<std::list<std::string>> m_keyColumns;
    int32_t m_indexWellID = -1;
    // Ordinal of "Survey Points" in a well-header record set, else -1.
    int16_t m_indexSurvey = -1;
    std::unique_ptr<DepthMap> m_linkedDepthColumns;
    std::unique_ptr<DepthIndexMap> m_linkedDepthColumnsIndexed;
    std::unique_ptr<OrdinateMap> m_ordinateColumns;
    std::unique_ptr<PartnerMap> m_coordinateColumns;

private:
    bool describe(int16_t index, CODBCFieldInfo& info) const;
};

} // namespace TeskDataProvider
