#include "survey/WellSurvey.h"

#include "automation/AutomationModule.h"
#include "survey/WellSurveyCore.h"

namespace TeskDataProvider {

WellSurvey::~WellSurvey() { delete m_pSurveyPts; }

int32_t WellSurvey::GetSize() {
    AUTOMATION_ENTRY();
    return survey::GetSize(m_pSurveyPts);
}

bool WellSurvey::IsDeviated() {
    AUTOMATION_ENTRY();
    return survey::IsDeviated(m_pSurveyPts);
}

bool WellSurvey::GetAt(int32_t index, double& x, double& y, double& z, double& d) {
    AUTOMATION_ENTRY();
    return survey::GetAt(m_pSurveyPts, index, x, y, z, d);
}

int16_t WellSurvey::GetUnit() {
    AUTOMATION_ENTRY();
    return survey::GetUnit();
}

bool WellSurvey::GetXYZ(double md, double& xOffset, double& yOffset, double& tvd, bool extrapolateBelowTD) {
    AUTOMATION_ENTRY();
    return survey::GetXYZ(m_pSurveyPts, md, xOffset, yOffset, tvd, extrapolateBelowTD);
}

bool WellSurvey::ConvertTVDtoMD(double tvd, double& md) {
    AUTOMATION_ENTRY();
    return survey::ConvertTVDtoMD(m_pSurveyPts, tvd, md);
}

bool WellSurvey::ConvertMDtoTVD(double md, double& tvd) {
    AUTOMATION_ENTRY();
    return survey::ConvertMDtoTVD(m_pSurveyPts, md, tvd);
}

bool WellSurvey::FillPoints(double* x, double* y, double* z, double* md) {
    AUTOMATION_ENTRY();
    return survey::GetPoints(m_pSurveyPts, x, y, z, md);
}

} // namespace TeskDataProvider
