#include "survey/WellSurveyCore.h"

#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"

namespace TeskDataProvider::survey {

int32_t GetSize(const CTeskSurveyPts* pts) { return pts ? pts->GetSize() : 0; }

bool IsDeviated(const CTeskSurveyPts* pts) { return pts && pts->IsDeviated(); }

bool GetAt(const CTeskSurveyPts* pts, int32_t index, double& x, double& y, double& z, double& d) {
    if (!pts || index < 0 || index >= pts->GetSize()) return false;
    const CTeskWellborePt* p = pts->GetAt(index);
    if (!p) return false;
    x = p->GetXOffset();
    y = p->GetYOffset();
    z = p->GetTVD();
    d = p->GetMD();
    return true;
}

int16_t GetUnit() {
    return static_cast<int16_t>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDepthUnit());
}

bool GetXYZ(const CTeskSurveyPts* pts, double md, double& xOffset, double& yOffset, double& tvd,
            bool extrapolateBelowTD) {
    if (!pts) return false;
    bool outside = false;  // the point set's own business
    return pts->CalcDownHoleLocation(md, tvd, yOffset, xOffset, outside, extrapolateBelowTD);
}

bool ConvertTVDtoMD(const CTeskSurveyPts* pts, double tvd, double& md) {
    if (!pts) return false;
    md = tvd;
    return pts->CalcMDIntercepts(md);
}

bool ConvertMDtoTVD(const CTeskSurveyPts* pts, double md, double& tvd) {
    if (!pts) return false;
    tvd = md;
    return pts->CalcTVDIntercepts(tvd);
}

bool GetPoints(const CTeskSurveyPts* pts, double* x, double* y, double* z, double* md) {
    if (!pts) return false;
    const int32_t n = pts->GetSize();
    const CTeskWellborePt* const* points = pts->GetData();
    for (int32_t i = 0; i < n; ++i) {
        const CTeskWellborePt* p = points[i];
        if (!p) return false;
        x[i] = p->GetXOffset();
        y[i] = p->GetYOffset();
        z[i] = p->GetTVD();
        md[i] = p->GetMD();
    }
    return true;
}

} // namespace TeskDataProvider::survey
