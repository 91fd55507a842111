#pragma once
// A well's stored survey stations ("SurveyStation": MD, inclination and
// azimuth of each station, and its map position in the display coordinate
// system at the time it was written).

#include <string>

#include "services/TeskDataFactory/CTeskPositionLog.h"
#include "services/TeskDataFactory/XYZPt.h"

class CoordSys;

class CTeskSurveyStations {
public:
    explicit CTeskSurveyStations(const char* lpszWellID);
    CTeskSurveyStations(const CTeskSurveyStations&) = delete;
    CTeskSurveyStations& operator=(const CTeskSurveyStations&) = delete;
    virtual ~CTeskSurveyStations() = default;

    // Removes the well's stored stations; false when it had none.
    bool RemoveAllPoints();

    // Replaces the stations of lpszWellID with one station per point of the
    // log, at the point's MD, with the angles given for it.
    //
    // The log's X and Y offsets are in the project's distance unit, feet when
    // bProjectDistanceFeet is 1 and metres when 0; its TVDs and MDs are in the
    // project's depth unit. pInclinations and pAzimuths (degrees) hold one
    // value per point, or are null. When they are missing, or all zero for a
    // log that leaves the vertical, the angles are derived from the log's
    // points by minimum curvature instead: storing zeros would turn the well
    // vertical for anyone computing it from its stations.
    //
    // Each station's map position is the surface point (x, y in the database
    // coordinate system) moved by the point's offsets in pDisplayCS; it is
    // left empty without a valid display system or when the surface point
    // cannot be placed in it. The surface height is not needed: depths are
    // along the hole from the depth reference.
    //
    // Points that cannot be stations (an MD that is negative, not finite or
    // repeats the previous one) are skipped. False, with nothing changed, when
    // the project has no such well.
    bool UpdateFromPositionLog(const char* lpszWellID, const CTeskPositionLog& log, const XYZPt& surface,
                               const CoordSys* pDisplayCS, int bProjectDistanceFeet, const double* pInclinations,
                               const double* pAzimuths);

private:
    std::string m_strWellID;
};
