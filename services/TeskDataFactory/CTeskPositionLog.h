#pragma once
// A position log: the wellbore points of a survey being written, in survey
// order, kept as copies.

#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

class CTeskPositionLog {
public:
    CTeskPositionLog() = default;
    CTeskPositionLog(const CTeskPositionLog&) = delete;
    CTeskPositionLog& operator=(const CTeskPositionLog&) = delete;
    virtual ~CTeskPositionLog() = default;

    // Appends a copy of the point; the caller keeps its own.
    void Add(const CTeskWellborePt& pt) { m_pts.Add(new CTeskWellborePt(pt)); }
    const CTeskSurveyPts& GetPts() const { return m_pts; }

private:
    CTeskSurveyPts m_pts;
};
