// What the project's units settings and the coordinate roles say about a column.

#include "recordset/RecordsetAdapter.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"

namespace TeskDataProvider {

namespace {

// The unit category of the column as the units settings know it for the
// record-set name the client opened, or empty.
std::string categoryOf(const RecordsetAdapter& adapter, int16_t index) {
    const std::string field = adapter.GetFieldName(index);
    const std::string name = adapter.m_pName ? *adapter.m_pName : std::string();
    return CTeskDataInitializer::GetUnitsObject()->GetFieldUnitCategory(name.c_str(), field.c_str());
}

} // namespace

int16_t RecordsetAdapter::GetFieldUnit(int16_t index) const {
    if (!IsValidOrdinal(index)) return -1;
    const std::string category = categoryOf(*this, index);
    if (category.empty()) return -1;
    return static_cast<int16_t>(CTeskDataInitializer::GetUnitsObject()->GetCategoryUnit(category.c_str(), true));
}

bool RecordsetAdapter::IsFieldCoordinate(int16_t index) const {
    if (!IsValidOrdinal(index)) return false;
    const std::string category = categoryOf(*this, index);
    if (category.empty()) return false;
    bool isCoordinate = false;
    return CTeskDataInitializer::GetUnitsObject()->IsCoordinateCategory(category.c_str(), isCoordinate) &&
           isCoordinate;
}

bool RecordsetAdapter::IsFieldXCoordinate(int16_t index) const {
    if (!IsValidOrdinal(index) || !m_ordinateColumns) return false;
    const auto it = m_ordinateColumns->find(GetFieldName(index));
    return it != m_ordinateColumns->end() && it->second == teskCoordinateX;
}

bool RecordsetAdapter::IsFieldYCoordinate(int16_t index) const {
    if (!IsValidOrdinal(index) || !m_ordinateColumns) return false;
    const auto it = m_ordinateColumns->find(GetFieldName(index));
    return it != m_ordinateColumns->end() && it->second == teskCoordinateY;
}

int16_t RecordsetAdapter::GetCoordinateField(int16_t index) const {
    if (!IsValidOrdinal(index) || !m_coordinateColumns) return -1;
    const auto it = m_coordinateColumns->find(GetFieldName(index));
    return it == m_coordinateColumns->end() ? int16_t(-1) : GetColumnIndex(it->second.c_str());
}

void RecordsetAdapter::ClearCoordinateColumns() {
    if (m_ordinateColumns) m_ordinateColumns->clear();
    if (m_coordinateColumns) m_coordinateColumns->clear();
}

bool RecordsetAdapter::IsLinkedDepthColumn(const char* lpszColumnName) const {
    return m_linkedDepthColumns && m_linkedDepthColumns->count(lpszColumnName ? lpszColumnName : "") > 0;
}

bool RecordsetAdapter::GetLinkedDepthType(int16_t index, TeskDepthUnitType::DEPTH_UNIT_TYPE& type) const {
    if (!m_linkedDepthColumnsIndexed) return false;
    const auto it = m_linkedDepthColumnsIndexed->find(index);
    if (it == m_linkedDepthColumnsIndexed->end()) return false;
    type = it->second;
    return true;
}

int16_t RecordsetAdapter::GetLinkedDepthOrdinal(TeskDepthUnitType::DEPTH_UNIT_TYPE type) const {
    if (!m_linkedDepthColumnsIndexed) return -1;
    for (const auto& [ordinal, kind] : *m_linkedDepthColumnsIndexed)
        if (kind == type) return static_cast<int16_t>(ordinal);
    return -1;
}

void RecordsetAdapter::ClearLinkedDepthColumns() {
    if (m_linkedDepthColumns) m_linkedDepthColumns->clear();
}

} // namespace TeskDataProvider
