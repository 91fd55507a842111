#include "recordset/RecordsetAdapter.h"

#include "recordset/ColumnRoleTable.h"

namespace TeskDataProvider {

RecordsetAdapter::RecordsetAdapter(Flavour flavour)
    : m_flavour(flavour),
      m_pName(std::make_unique<std::string>()),
      m_keyColumns(std::make_unique<std::list<std::string>>()),
      m_linkedDepthColumns(std::make_unique<DepthMap>()),
      m_linkedDepthColumnsIndexed(std::make_unique<DepthIndexMap>()),
      m_ordinateColumns(std::make_unique<OrdinateMap>()),
      m_coordinateColumns(std::make_unique<PartnerMap>()) {}

RecordsetAdapter::~RecordsetAdapter() { DeleteMe(); }

void RecordsetAdapter::SetRecordset(const char* lpszName, CRecordset* pBaseSet) {
    if (m_pName) *m_pName = lpszName ? lpszName : "";
    if (m_pBaseSet != pBaseSet) delete m_pBaseSet;
    m_pBaseSet = pBaseSet;
    SetupLinkedDepthColumns();
    m_indexWellID = GetColumnIndex("Well ID");
    m_indexSurvey = IsTeskHeaderAndBlobSet() ? GetColumnIndex("Survey Points") : int16_t(-1);
}

void RecordsetAdapter::SetupLinkedDepthColumns() {
    if (!m_linkedDepthColumns || !m_linkedDepthColumnsIndexed) return;
    for (const auto& [name, type] : *m_linkedDepthColumns) {
        const int16_t ordinal = GetColumnIndex(name.c_str());
        if (ordinal >= 0) (*m_linkedDepthColumnsIndexed)[ordinal] = type;
    }
}


bool RecordsetAdapter::describe(int16_t index, CODBCFieldInfo& info) const {
    if (!IsValidOrdinal(index)) return false;
    m_pBaseSet->GetODBCFieldInfo(index, info);
    return true;
}

std::string RecordsetAdapter::GetFieldName(int16_t index) const {
    CODBCFieldInfo info;
    return describe(index, info) ? info.m_strName : std::string();
}

uint32_t RecordsetAdapter::GetFieldSize(int16_t index) const {
    CODBCFieldInfo info;
    return describe(index, info) ? info.m_nPrecision : 0;
}

int16_t RecordsetAdapter::GetFieldScale(int16_t index) const {
    CODBCFieldInfo info;
    return describe(index, info) ? info.m_nScale : 0;
}

int16_t RecordsetAdapter::GetFieldNullability(int16_t index) const {
    CODBCFieldInfo info;
    return describe(index, info) ? info.m_nNullability : 0;
}

int16_t RecordsetAdapter::GetFieldSQLType(int16_t index) const {
    CODBCFieldInfo info;
    return describe(index, info) ? info.m_nSQLType : 0;
}

int16_t RecordsetAdapter::GetColumnIndex(const char* lpszColumnName) const {
    if (!m_pBaseSet) return -1;
    const std::string_view wanted = lpszColumnName ? lpszColumnName : "";
    CODBCFieldInfo info;
    for (int16_t i = 0; i < m_pBaseSet->GetODBCFieldCount(); ++i) {
        m_pBaseSet->GetODBCFieldInfo(i, info);
        if (info.m_strName == wanted) return i;
    }
    return -1;
}

bool RecordsetAdapter::IsBOF() const { return !m_pBaseSet || m_pBaseSet->IsBOF(); }
bool RecordsetAdapter::IsEOF() const { return !m_pBaseSet || m_pBaseSet->IsEOF(); }

void RecordsetAdapter::MoveFirst() {
    if (m_pBaseSet) m_pBaseSet->Move(1, SQL_FETCH_FIRST);
}

int32_t RecordsetAdapter::MoveNext() {
    if (!m_pBaseSet) return -1;
    m_pBaseSet->Move(1, SQL_FETCH_NEXT);
    return 0;
}

void RecordsetAdapter::Edit() {
    if (m_pBaseSet) m_pBaseSet->Edit();
}

void RecordsetAdapter::AddNew() {
    if (m_pBaseSet) m_pBaseSet->AddNew();
}

bool RecordsetAdapter::Update() { return m_pBaseSet && m_pBaseSet->Update(); }

void RecordsetAdapter::Delete() {
    if (m_pBaseSet) m_pBaseSet->Delete();
}

bool RecordsetAdapter::Requery() { return m_pBaseSet && m_pBaseSet->Requery(); }

void RecordsetAdapter::DeleteMe() {
    delete m_pBaseSet;  // closing is part of its destruction
    m_pBaseSet = nullptr;
    m_pName.reset();
    m_keyColumns.reset();
    m_linkedDepthColumns.reset();
    m_linkedDepthColumnsIndexed.reset();
    m_ordinateColumns.reset();
    m_coordinateColumns.reset();
    m_indexWellID = -1;
    m_indexSurvey = -1;
}

void RecordsetAdapter::DestroyInReverse() {
    delete m_pBaseSet;
    m_pBaseSet = nullptr;
    m_coordinateColumns.reset();
    m_ordinateColumns.reset();
    m_linkedDepthColumnsIndexed.reset();
    m_linkedDepthColumns.reset();
    m_keyColumns.reset();
    m_pName.reset();
    m_indexWellID = -1;
    m_indexSurvey = -1;
}

void RecordsetAdapter::PopulateKeyColumns(const char* name) {
    const ColumnRoleEntry* entry = FindColumnRoles(name ? name : "", m_flavour == Flavour::Managed);
    if (!entry) return;
    for (const char* key : entry->keyColumns) AddKeyColumn(key);
    static constexpr TeskDepthUnitType::DEPTH_UNIT_TYPE kKinds[] = {
        TeskDepthUnitType::DEPTH_MD, TeskDepthUnitType::DEPTH_TVD, TeskDepthUnitType::DEPTH_SUBSEA};
    for (int k = 0; k < 3; ++k)
        if (entry->depthColumns[k]) AddLinkedDepthColumn(entry->depthColumns[k], kKinds[k]);
    for (const CoordinatePair& pair : entry->coordinatePairs) {
        AddCoordinateColumn(pair.xColumn, teskCoordinateX, pair.yColumn);
        AddCoordinateColumn(pair.yColumn, teskCoordinateY, pair.xColumn);
    }
}

void RecordsetAdapter::AddKeyColumn(const char* lpszKeyColumn) {
    if (m_keyColumns) m_keyColumns->emplace_back(lpszKeyColumn ? lpszKeyColumn : "");
}

void RecordsetAdapter::AddLinkedDepthColumn(const char* lpszLinkedDepthColumn,
                                            TeskDepthUnitType::DEPTH_UNIT_TYPE nType) {
    if (m_linkedDepthColumns) (*m_linkedDepthColumns)[lpszLinkedDepthColumn ? lpszLinkedDepthColumn : ""] = nType;
}

void RecordsetAdapter::AddCoordinateColumn(const char* lpszOrdinateColumn, teskCoordinate coordinate,
                                           const char* lpszCoordinateColumn) {
    const std::string name = lpszOrdinateColumn ? lpszOrdinateColumn : "";
    if (m_ordinateColumns) (*m_ordinateColumns)[name] = coordinate;
    if (m_coordinateColumns) (*m_coordinateColumns)[name] = lpszCoordinateColumn ? lpszCoordinateColumn : "";
}

bool RecordsetAdapter::IsColumnKey(const char* lpszColumnName) const {
    if (!m_keyColumns) return false;
    const std::string_view wanted = lpszColumnName ? lpszColumnName : "";
    for (const std::string& key : *m_keyColumns)
        if (key == wanted) return true;
    return false;
}

void RecordsetAdapter::ClearKeyColumns() {
    if (m_keyColumns) m_keyColumns->clear();
}

void* RecordsetAdapter::GetExchangedField(int16_t nIndex) const {
    if (!m_pBaseSet || m_pBaseSet->m_mapFieldIndex.IsEmpty()) return nullptr;
    const intptr_t wanted = static_cast<intptr_t>(nIndex) + 1;
    // Fields register in order, so the entry at the ordinal's place is nearly
    // always the one; field numbers are unique, so a hit there is the answer
    // the walk would give. The walk remains for maps a member re-registered.
    const CMapPtrToPtr& map = m_pBaseSet->m_mapFieldIndex;
    if (nIndex >= 0 && nIndex < map.GetCount()) {
        const auto& [member, number] = *(map.begin() + nIndex);
        if (reinterpret_cast<intptr_t>(number) == wanted) return member;
    }
    for (const auto& [member, number] : map)
        if (reinterpret_cast<intptr_t>(number) == wanted) return member;
    return nullptr;
}

const CFieldInfo* RecordsetAdapter::GetExchangedFieldInfo(int16_t nIndex) const {
    if (!m_pBaseSet || nIndex < 0 || static_cast<size_t>(nIndex) >= m_pBaseSet->m_rgFieldInfos.size())
        return nullptr;
    return &m_pBaseSet->m_rgFieldInfos[static_cast<size_t>(nIndex)];
}

} // namespace TeskDataProvider
