// Recognising the survey field of a well-header record set and reading it.

#include <memory>

#include "recordset/RecordsetAdapter.h"
#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider {

bool RecordsetAdapter::IsTeskHeaderAndBlobSet() const {
    return m_pBaseSet && dynamic_cast<CTeskHeaderAndBlobSet*>(m_pBaseSet) != nullptr;
}

// Asked for every value read, so the column is found once, when the record
// set is attached.
bool RecordsetAdapter::IsFieldSurvey(int index) const { return m_pBaseSet && index >= 0 && index == m_indexSurvey; }

CTeskSurveyPts* RecordsetAdapter::ReadSurveyPts() const {
    auto* header = dynamic_cast<CTeskHeaderAndBlobSet*>(m_pBaseSet);
    if (!header) return nullptr;
    auto points = std::make_unique<CTeskSurveyPts>();
    header->GetSurveyPts(points.get(), 1);
    return points.release();
}

} // namespace TeskDataProvider
