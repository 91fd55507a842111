// libFuzzer target for the survey blob decoder: any bytes either decode to a
// survey that encodes and decodes to itself, or are refused, without reading
// past the input. A decoded survey is then asked depth and position questions,
// so that whatever the decoder lets through cannot upset the point set.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "services/TeskUniversalLoader/CTeskSurveyPts.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"

using namespace tesk::survey;

namespace {

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Points points;
    std::vector<PointAngles> angles;
    if (!DecodeSurveyBlob(data, size, points, &angles)) {
        check(points.empty() && angles.empty());
        return 0;
    }
    check(angles.empty() || angles.size() == points.size());

    // Encoding what was decoded gives it back bit for bit.
    const std::vector<uint8_t> again = EncodeSurveyBlob(points, angles);
    Points points2;
    std::vector<PointAngles> angles2;
    check(DecodeSurveyBlob(again, points2, &angles2));
    check(points2.size() == points.size() && angles2.size() == angles.size());
    for (size_t i = 0; i < points.size(); ++i) {
        check(same(points[i].x, points2[i].x) && same(points[i].y, points2[i].y) &&
              same(points[i].tvd, points2[i].tvd) && same(points[i].md, points2[i].md));
        if (!angles.empty())
            check(same(angles[i].inclination, angles2[i].inclination) && same(angles[i].azimuth, angles2[i].azimuth));
    }

    CTeskSurveyPts pts;
    check(DecodeSurveyBlob(data, size, pts));
    check(pts.GetSize() == static_cast<int>(points.size()));
    if (points.empty()) return 0;
    pts.IsDeviated();
    const double first = points.front().md, last = points.back().md;
    const double mds[] = {first - 1, first, (first + last) / 2, last, last + 10, first + (last - first) / 3};
    for (double md : mds) {
        double tvd = md, y = 0, x = 0, t = 0;
        bool outside = false;
        pts.CalcTVDIntercepts(tvd);
        pts.CalcDownHoleLocation(md, t, y, x, outside, true);
        pts.CalcDownHoleLocation(md, t, y, x, outside, false);
    }
    for (const Point& p : points) {
        double md = p.tvd;
        pts.CalcMDIntercepts(md);
        double above = p.tvd + 0.5;
        pts.CalcMDIntercepts(above);
    }
    CTeskSurveyPts copy;
    copy = pts;
    copy.MakeStraightHole(nullptr);
    check(!copy.IsDeviated());
    return 0;
}
