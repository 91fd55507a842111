#pragma once
// What the two flavours' survey objects share: the answers of one point set,
// checked and handed back through output parameters. Every operation refuses
// with false (or answers 0) without a point set, and raises nothing of its
// own; errors of the point set pass through.

#include <cstdint>

#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider::survey {

int32_t GetSize(const CTeskSurveyPts* pts);
bool IsDeviated(const CTeskSurveyPts* pts);
// False for an index outside 0 to GetSize() - 1; nothing written then.
bool GetAt(const CTeskSurveyPts* pts, int32_t index, double& x, double& y, double& z, double& d);
// The project's display depth unit, whether or not there is a point set.
int16_t GetUnit();
bool GetXYZ(const CTeskSurveyPts* pts, double md, double& xOffset, double& yOffset, double& tvd,
            bool extrapolateBelowTD);
// The output holds the input before the point set is asked, and whatever the
// point set left in it when it could not answer; untouched without a set.
bool ConvertTVDtoMD(const CTeskSurveyPts* pts, double tvd, double& md);
bool ConvertMDtoTVD(const CTeskSurveyPts* pts, double md, double& tvd);
// Writes GetSize() values into each array, in point order; true for an empty
// set, with nothing written.
bool GetPoints(const CTeskSurveyPts* pts, double* x, double* y, double* z, double* md);

} // namespace TeskDataProvider::survey
