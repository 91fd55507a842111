// Recognising the survey field of a well-header record set and reading it.

#include <memory>

#include "recordset/RecordsetAdapter.h"
#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider {

bool RecordsetAdapter::IsTeskHeaderAndBlobSet() const {
    return m_pBaseSet && dynamic_cast<CTeskHeaderAndBlobSet*>(m_pBaseSet) != nullptr;
}

bool RecordsetAdapter::IsFieldSurvey(int index) const {
    return IsTeskHeaderAndBlobSet() && GetFieldName(static_cast<int16_t>(index)) == "Survey Points";
}

CTeskSurveyPts* RecordsetAdapter::ReadSurveyPts() const {
    auto* header = dynamic_cast<CTeskHeaderAndBlobSet*>(m_pBaseSet);
    if (!header) return nullptr;
    auto points = std::make_unique<CTeskSurveyPts>();
    header->GetSurveyPts(points.get(), 1);
    return points.release();
}

} // namespace TeskDataProvider
