#pragma once
// The automation flavour's well-survey object, without its dispatch surface:
// one wellbore's survey points answering positions and depth conversions.
// It owns its point set, installed once by whoever creates it; one made
// without a point set (the survey field's type placeholder) answers as an
// empty survey. Destruction deletes the point set as it is, without emptying
// it first.

#include <cstdint>

#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider {

class WellSurvey {
public:
    WellSurvey() = default;
    // Takes ownership of pSurveyPts (may be null).
    explicit WellSurvey(CTeskSurveyPts* pSurveyPts) : m_pSurveyPts(pSurveyPts) {}
    ~WellSurvey();
    WellSurvey(const WellSurvey&) = delete;
    WellSurvey& operator=(const WellSurvey&) = delete;

    int32_t GetSize();
    bool IsDeviated();
    bool GetAt(int32_t index, double& x, double& y, double& z, double& d);
    int16_t GetUnit();
    bool GetXYZ(double md, double& xOffset, double& yOffset, double& tvd, bool extrapolateBelowTD);
    bool ConvertTVDtoMD(double tvd, double& md);
    bool ConvertMDtoTVD(double md, double& tvd);
    // Fills caller arrays of GetSize() values each; the dispatch surface's
    // GetPoints checks and locks its automation arrays and hands them here.
    bool FillPoints(double* x, double* y, double* z, double* md);

    const CTeskSurveyPts* GetSurveyPts() const { return m_pSurveyPts; }

private:
    CTeskSurveyPts* m_pSurveyPts = nullptr;
};

} // namespace TeskDataProvider
