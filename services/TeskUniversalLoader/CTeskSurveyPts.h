#pragma once
// A wellbore's survey as an ordered set of points, and the depth and position
// questions asked of it.
//
// Between two points the hole follows the minimum-curvature arc of their
// station angles when both points carry angles that reproduce the step
// between them (to 1e-6 of its length); otherwise it runs straight from point
// to point. So a survey kept with its angles interpolates exactly, and one
// without them, or with angles that do not fit its points, interpolates
// linearly rather than wrongly.
//
// Outside its points:
//   - above the first point the hole is taken as vertical through that point,
//     both ways (MD to TVD and TVD to MD); surveys begin at the surface or at a
//     tie-in below a vertical top hole, so this is the hole's real shape in
//     practice, and it keeps the two conversions inverse to each other;
//   - below the last point the hole goes on straight in its last direction
//     (the last station's direction when the last interval follows an arc,
//     else the last interval's chord, else vertical).
//
// Lookups take O(log n) in the number of points. Points are added in MD order;
// a set whose MDs go back, or that holds a value that is not finite, answers
// no depth or position question. The set is not safe for concurrent use.

#include <optional>
#include <vector>

#include "services/TeskUniversalLoader/ArcMath.h"
#include "services/TeskUniversalLoader/CTeskWellborePt.h"
#include "services/TeskUniversalLoader/SurveyTypes.h"

class CTeskSurveyPts {
public:
    CTeskSurveyPts() = default;
    CTeskSurveyPts(const CTeskSurveyPts& other);
    CTeskSurveyPts& operator=(const CTeskSurveyPts& other);  // deep copy
    virtual ~CTeskSurveyPts();

    int GetSize() const { return static_cast<int>(m_points.size()); }
    // Null for an index outside the set.
    const CTeskWellborePt* GetAt(int nIndex) const;
    // The points in order, GetSize() of them.
    const CTeskWellborePt* const* GetData() const { return m_points.data(); }

    // False for an empty set and for one without horizontal offsets, unless
    // SetStraightHole said otherwise since the set last changed.
    bool IsDeviated() const;

    // The position at `dMD`: true with the TVD, Y and X offsets written.
    // bOutside tells whether the MD lies outside the points. Below the last
    // point it answers only when bExtrapolate is set; otherwise false, and
    // nothing is written.
    bool CalcDownHoleLocation(double dMD, double& dTVD, double& dYOffset, double& dXOffset, bool& bOutside,
                              bool bExtrapolate) const;
    // MD in, TVD out, in place. Below the last point, in the last direction.
    bool CalcTVDIntercepts(double& dDepth) const;
    // TVD in, MD out, in place: the first MD (in MD order) at which the hole
    // reaches the TVD; for a stretch that runs level at that TVD, its start.
    // Beyond the deepest point only when the last direction still goes down;
    // false otherwise, leaving dDepth as it was.
    bool CalcMDIntercepts(double& dDepth) const;

    // Appends a point, which the set owns from then on; null is ignored.
    void Add(CTeskWellborePt* pPt);
    // Frees every point.
    void DeleteAll();
    // Records whether the set is to count as a straight hole, whatever its
    // offsets, until it next changes.
    void SetStraightHole(bool bStraight);
    // Makes the hole vertical through its first point: offsets 0, TVD running
    // with MD, angles (where kept) 0. pScratch is not used.
    void MakeStraightHole(double* pScratch);

    // True when every point carries station angles.
    bool HasStationAngles() const;

    // Bulk access for storage: the points, and their angles when every point
    // has them (empty otherwise). SetPoints replaces the content.
    void GetPoints(tesk::survey::Points& points, std::vector<tesk::survey::PointAngles>* angles = nullptr) const;
    void SetPoints(const tesk::survey::Points& points, const std::vector<tesk::survey::PointAngles>& angles = {});

private:
    using Vec = tesk::survey::arc::Vec;

    struct Position {
        double x = 0, y = 0, tvd = 0;
    };

    void reindex();
    void indexLast();
    bool answerable() const { return !m_points.empty() && m_bOrdered; }
    bool isArc(size_t k) const { return m_arc[k] != 0; }
    Vec lastDirection() const;
    // Position at an MD inside interval k, at `s` along it; `beta`, when
    // given, is the interval's dogleg (used only where it follows its arc).
    Position along(size_t k, double s, std::optional<double> beta = std::nullopt) const;
    double intervalMaxTvd(size_t k) const;
    // The first MD in interval k at which the hole reaches `tvd`; the hole is
    // above it at the interval's start and reaches it within the interval.
    double firstCrossing(size_t k, double tvd) const;
    bool positionAt(double md, Position& out, bool& below, bool& above) const;

    std::vector<CTeskWellborePt*> m_points;
    std::optional<bool> m_straightHole;

    // Derived from the points, kept up to date by every change.
    bool m_bOrdered = true;           // MDs never go back, every value finite
    std::vector<Vec> m_dir;           // station direction per point (valid where it has angles)
    std::vector<char> m_arc;          // per interval: follows the arc of its angles
    std::vector<double> m_maxTvd;     // deepest TVD reached up to each point
    std::optional<Vec> m_lastChord;   // direction of the last interval with length
    double m_maxOffset = 0;           // largest horizontal offset
};
