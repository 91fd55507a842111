// The depth of the other kind on a well's stored survey.

#include "recordset/RecordsetAdapter.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider {

double RecordsetAdapter::ConvertLinkedDepth(const std::string& wellId, double depth,
                                            TeskDepthUnitType::DEPTH_UNIT_TYPE writtenType) {
    // Loaded afresh for every write: another client may have changed the survey.
    CTeskSurveyPts survey;
    CTeskDataFactory::GetWellboreGeometry(wellId.c_str(), &survey, 0, false, true, false);
    if (!survey.IsDeviated()) return depth;
    double converted = depth;
    if (writtenType == TeskDepthUnitType::DEPTH_MD) survey.CalcTVDIntercepts(converted);
    else if (writtenType == TeskDepthUnitType::DEPTH_TVD) survey.CalcMDIntercepts(converted);
    return converted;
}

} // namespace TeskDataProvider
