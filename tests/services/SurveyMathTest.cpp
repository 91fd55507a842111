// Minimum-curvature positions, the point set's depth conversions and the
// survey blob codec.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "services/TeskUniversalLoader/ArcMath.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"

using namespace tesk::survey;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

// A point set computed from stations, with or without their angles.
std::unique_ptr<CTeskSurveyPts> pointSet(const std::vector<Station>& stations, bool withAngles = true) {
    const SurveyPath path(stations);
    auto pts = std::make_unique<CTeskSurveyPts>();
    for (size_t i = 0; i < path.points().size(); ++i) {
        const Point& p = path.points()[i];
        auto* pt = new CTeskWellborePt(p.x, p.y, p.tvd, p.md);
        if (withAngles) pt->SetAngles(path.stations()[i].inclination, path.stations()[i].azimuth);
        pts->Add(pt);
    }
    return pts;
}

double tvdAt(const CTeskSurveyPts& pts, double md) {
    EXPECT_TRUE(pts.CalcTVDIntercepts(md)) << md;
    return md;
}

double mdAt(const CTeskSurveyPts& pts, double tvd) {
    EXPECT_TRUE(pts.CalcMDIntercepts(tvd)) << tvd;
    return tvd;
}

// ---------------------------------------------------------------- ISCWSA #1

// The ISCWSA test profile #1: vertical to 1200 m; build 2 deg/30 m at azimuth
// 75 to 60 deg at 2100 m; hold to 5100 m; build 3 deg/30 m to 90 deg at
// 5400 m; horizontal to 8000 m. Stations every 30 m.
std::vector<Station> iscwsa1() {
    std::vector<Station> s;
    for (double md = 0; md <= 8000 + 1e-9; md += 30) {
        double inc = 0;
        if (md > 1200) inc = std::min(60.0, (md - 1200) / 30 * 2);
        if (md > 5100) inc = std::min(90.0, 60 + (md - 5100) / 30 * 3);
        s.push_back({md, inc, inc > 0 ? 75.0 : 0.0});
    }
    s.push_back({8000, 90, 75});  // 8000 is not a multiple of 30
    if (s[s.size() - 2].md == 8000) s.pop_back();
    return s;
}

// The exact profile: TVD and horizontal displacement at any MD.
void iscwsa1Exact(double md, double& tvd, double& h) {
    const double r1 = 900 / (60 * kDeg), r2 = 300 / (30 * kDeg);
    if (md <= 1200) {
        tvd = md, h = 0;
    } else if (md <= 2100) {
        const double t = (md - 1200) / r1;
        tvd = 1200 + r1 * std::sin(t), h = r1 * (1 - std::cos(t));
    } else if (md <= 5100) {
        iscwsa1Exact(2100, tvd, h);
        tvd += (md - 2100) * std::cos(60 * kDeg), h += (md - 2100) * std::sin(60 * kDeg);
    } else if (md <= 5400) {
        iscwsa1Exact(5100, tvd, h);
        const double t = (md - 5100) / r2;
        tvd += r2 * (std::sin(60 * kDeg + t) - std::sin(60 * kDeg));
        h += r2 * (std::cos(60 * kDeg) - std::cos(60 * kDeg + t));
    } else {
        iscwsa1Exact(5400, tvd, h);
        h += md - 5400;
    }
}

TEST(MinimumCurvature, IscwsaProfile1MatchesItsPublishedDepths) {
    const Points points = PointsFromStations(iscwsa1());
    auto at = [&](double md) {
        for (const Point& p : points)
            if (p.md == md) return p;
        ADD_FAILURE() << "no station at " << md;
        return Point{};
    };
    // Published to the centimetre.
    EXPECT_NEAR(at(2100).tvd, 1944.29, 0.005);
    EXPECT_NEAR(at(5100).tvd, 3444.29, 0.005);
    EXPECT_NEAR(at(5400).tvd, 3521.06, 0.005);
    // Every station lies on the exact profile, in the plane of azimuth 75.
    for (const Point& p : points) {
        double tvd, h;
        iscwsa1Exact(p.md, tvd, h);
        ASSERT_NEAR(p.tvd, tvd, 1e-6) << p.md;
        ASSERT_NEAR(p.x, h * std::sin(75 * kDeg), 1e-6) << p.md;
        ASSERT_NEAR(p.y, h * std::cos(75 * kDeg), 1e-6) << p.md;
    }
}

TEST(SurveyPts, IscwsaProfile1InterpolatesAlongTheArcBetweenStations) {
    const auto pts = pointSet(iscwsa1());
    // Depths between stations, in the vertical part, both builds and the hold.
    for (double md : {617.3, 1213.7, 1657.3, 2088.8, 3333.3, 5111.1, 5251.9, 5399.2, 6543.21, 7999.5}) {
        double tvd, h;
        iscwsa1Exact(md, tvd, h);
        double outTvd = 0, y = 0, x = 0;
        bool outside = true;
        ASSERT_TRUE(pts->CalcDownHoleLocation(md, outTvd, y, x, outside, false)) << md;
        EXPECT_FALSE(outside);
        EXPECT_NEAR(outTvd, tvd, 1e-3) << md;
        EXPECT_NEAR(x, h * std::sin(75 * kDeg), 1e-3) << md;
        EXPECT_NEAR(y, h * std::cos(75 * kDeg), 1e-3) << md;
        EXPECT_NEAR(tvdAt(*pts, md), tvd, 1e-3) << md;
        if (md < 5400) {
            EXPECT_NEAR(mdAt(*pts, tvd), md, 1e-3) << md;
        }
    }
    // The horizontal section runs level: its TVD is first reached where it
    // begins. (Approaching horizontal, TVD hardly changes with MD, so a TVD
    // rounded in its last bit moves the MD by some 1e-5 m.)
    const double tvd5400 = pts->GetAt(180)->GetTVD();
    ASSERT_EQ(pts->GetAt(180)->GetMD(), 5400);
    EXPECT_NEAR(mdAt(*pts, tvd5400), 5400, 1e-4);
    // Deeper than the well ever goes, with a level last direction: refused.
    double deeper = tvd5400 + 1;
    EXPECT_FALSE(pts->CalcMDIntercepts(deeper));
    EXPECT_EQ(deeper, tvd5400 + 1);
}

TEST(SurveyPts, LinearBetweenPointsWithoutAngles) {
    const auto arcs = pointSet(iscwsa1(), true);
    const auto lines = pointSet(iscwsa1(), false);
    // Mid-interval in the first build: the chord sits decimetres off the arc
    // horizontally, and the linear answer is exactly the chord's midpoint.
    double tA, yA, xA, tL, yL, xL;
    bool outside;
    ASSERT_TRUE(arcs->CalcDownHoleLocation(1665, tA, yA, xA, outside, false));
    ASSERT_TRUE(lines->CalcDownHoleLocation(1665, tL, yL, xL, outside, false));
    const CTeskWellborePt* a = lines->GetAt(55);
    const CTeskWellborePt* b = lines->GetAt(56);
    ASSERT_EQ(a->GetMD(), 1650);
    EXPECT_DOUBLE_EQ(tL, (a->GetTVD() + b->GetTVD()) / 2);
    EXPECT_DOUBLE_EQ(xL, (a->GetXOffset() + b->GetXOffset()) / 2);
    EXPECT_GT(std::hypot(xA - xL, yA - yL), 0.05);
}

// ---------------------------------------------------------------- other profiles

TEST(SurveyPts, QuarterCircle) {
    // Inclination 0 to 90 degrees over 1000 m: an arc of radius 2000/pi.
    const double r = 2000 / kPi;
    const auto pts = pointSet({{0, 0, 0}, {1000, 90, 0}});
    ASSERT_EQ(pts->GetSize(), 2);
    EXPECT_NEAR(pts->GetAt(1)->GetTVD(), r, 1e-9);
    EXPECT_NEAR(pts->GetAt(1)->GetYOffset(), r, 1e-9);
    for (double md : {1.0, 250.0, 500.0, 777.7, 999.0}) {
        const double t = md / r;
        EXPECT_NEAR(tvdAt(*pts, md), r * std::sin(t), 1e-9) << md;
        EXPECT_NEAR(mdAt(*pts, r * std::sin(t)), md, 1e-6) << md;
    }
    EXPECT_NEAR(mdAt(*pts, r), 1000, 1e-4);  // where the hole turns level
}

// "Minimum Curvature Method", drillingformulas.com: from 3500 ft at 15 deg
// inclination, 20 deg azimuth to 3600 ft at 25 deg, 45 deg, the hole moves
// 27.22 ft north, 19.45 ft east and 94.01 ft down; dogleg 12.95 deg.
TEST(MinimumCurvature, PublishedThreeDimensionalExampleAndItsNorthCrossingTwin) {
    struct Case {
        const char* what;
        double turn;  // degrees subtracted from both azimuths
    } cases[] = {{"as published", 0}, {"turned to cross north (347.5 to 12.5)", 32.5}};
    for (const Case& c : cases) {
        auto wrap = [](double a) { return a < 0 ? a + 360 : a; };
        const std::vector<Station> stations{{3500, 15, wrap(20 - c.turn)}, {3600, 25, wrap(45 - c.turn)}};
        const Points p = PointsFromStations(stations);
        ASSERT_EQ(p.size(), 3u);  // with the surface point
        const double dn = p[2].y - p[1].y, de = p[2].x - p[1].x, dv = p[2].tvd - p[1].tvd;
        // Turning the azimuths turns the published displacement with them.
        const double k = c.turn * kDeg;
        const double n = 27.22 * std::cos(k) + 19.45 * std::sin(k);
        const double e = 19.45 * std::cos(k) - 27.22 * std::sin(k);
        const double printed = c.turn == 0 ? 0.005 : 0.005 * (std::cos(k) + std::sin(k));
        EXPECT_NEAR(dn, n, printed) << c.what;
        EXPECT_NEAR(de, e, printed) << c.what;
        EXPECT_NEAR(dv, 94.01, 0.005) << c.what;
        const double beta = arc::Dogleg(arc::Direction(stations[0].inclination, stations[0].azimuth),
                                        arc::Direction(stations[1].inclination, stations[1].azimuth));
        EXPECT_NEAR(beta / kDeg, 12.95, 0.005) << c.what;
    }
}

TEST(MinimumCurvature, AzimuthCrossingNorthIsTheShortTurn) {
    // Horizontal from 359 to 1 degree over 30 m: a 2-degree turn, nearly straight north.
    const auto pts = pointSet({{0, 90, 359}, {30, 90, 1}});
    const double r = 30 / (2 * kDeg);
    EXPECT_NEAR(pts->GetAt(1)->GetYOffset(), 2 * r * std::sin(kDeg), 1e-9);
    EXPECT_NEAR(pts->GetAt(1)->GetXOffset(), 0, 1e-9);
    // Halfway it heads due north, on the circle.
    double tvd, y, x;
    bool outside;
    ASSERT_TRUE(pts->CalcDownHoleLocation(15, tvd, y, x, outside, false));
    EXPECT_NEAR(y, r * std::sin(kDeg), 1e-9);
    EXPECT_NEAR(x, -r * (1 - std::cos(kDeg)), 1e-9);
}

TEST(MinimumCurvature, TinyDoglegsKeepTheirPrecision) {
    // acos of the dot product rounds these to 0 (or to 1.5e-8); the
    // half-angle form keeps them.
    for (double beta : {1e-12, 1e-9, 1e-8 * kDeg, 1e-6 * kDeg, 0.5, 3.0}) {
        const arc::Vec a = arc::Direction(30, 40);
        const arc::Vec b = arc::Direction(30 + beta / kDeg, 40);
        EXPECT_NEAR(arc::Dogleg(a, b), beta, beta * 1e-6 + 1e-15) << beta;
    }
    // The series agrees with the closed form where it takes over.
    for (double beta : {0.99e-3, 0.999999e-3})
        EXPECT_NEAR(arc::RatioFactor(beta), 2 / beta * std::tan(beta / 2), 1e-15) << beta;
    EXPECT_EQ(arc::RatioFactor(0), 1.0);
    // A nearly straight interval moves its full length.
    const Points p = PointsFromStations({{0, 45, 10}, {100, 45 + 1e-7, 10}});
    EXPECT_NEAR(std::sqrt(p[1].x * p[1].x + p[1].y * p[1].y + p[1].tvd * p[1].tvd), 100, 1e-9);
}

TEST(MinimumCurvature, FirstStationBelowSurfaceGetsASurfacePoint) {
    const Points points = PointsFromStations({{300, 0, 0}, {400, 0, 0}});
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[0].md, 0);
    EXPECT_DOUBLE_EQ(points[1].tvd, 300);
    EXPECT_THROW(PointsFromStations({{0, 0, 0}, {100, 1, 0}, {100, 2, 0}}), std::invalid_argument);
}

TEST(MinimumCurvature, StationsAreRecoveredFromTheirPoints) {
    // A 3D well: kick-off, build while turning through north, drop.
    const std::vector<Station> wells[] = {
        iscwsa1(),
        {{0, 0, 0}, {500, 0, 0}, {600, 5, 340}, {700, 12, 350}, {800, 20, 359.5}, {900, 26, 8},
         {1000, 30, 20}, {1400, 30, 20}, {1500, 22, 15}, {1650, 10, 5}},
    };
    for (const auto& stations : wells) {
        const SurveyPath path(stations);
        const std::vector<Station> back = StationsFromPoints(path.points());
        ASSERT_EQ(back.size(), path.stations().size());
        for (size_t i = 0; i < back.size(); ++i) {
            const Station& s = path.stations()[i];
            EXPECT_EQ(back[i].md, s.md);
            const double off = arc::Dogleg(arc::Direction(back[i].inclination, back[i].azimuth),
                                           arc::Direction(s.inclination, s.azimuth));
            EXPECT_LT(off / kDeg, 1e-6) << "station " << i << " at " << s.md;
        }
        // And those stations give the same points again.
        const Points again = PointsFromStations(back);
        for (size_t i = 0; i < again.size(); ++i) {
            EXPECT_NEAR(again[i].x, path.points()[i].x, 1e-6);
            EXPECT_NEAR(again[i].y, path.points()[i].y, 1e-6);
            EXPECT_NEAR(again[i].tvd, path.points()[i].tvd, 1e-6);
        }
    }
}

// ---------------------------------------------------------------- the point set

TEST(SurveyPts, FirstCrossingOfAWellThatTurnsBackUp) {
    // Builds from vertical at 1000 m to 120 degrees at 1600 m: deepest at
    // 90 degrees (MD 1450), inside the interval, then climbing.
    const auto pts = pointSet({{0, 0, 0}, {1000, 0, 0}, {1600, 120, 0}, {2000, 120, 0}});
    const double r = 600 / (120 * kDeg);
    // TVD 1000 + r sin 60 is crossed at 1300 going down and at 1600 coming up.
    EXPECT_NEAR(mdAt(*pts, 1000 + r * std::sin(60 * kDeg)), 1300, 1e-6);
    EXPECT_NEAR(mdAt(*pts, 1000 + r), 1450, 1e-3);  // the deepest point, in the middle of the interval
    EXPECT_NEAR(mdAt(*pts, 1000 + r - 1e-3), 1450 - std::acos(1 - 1e-3 / r) * r, 1e-6);
    double tooDeep = 1000 + r + 0.01;
    EXPECT_FALSE(pts->CalcMDIntercepts(tooDeep));  // the hole heads up at its end
    // Above the first point: vertical.
    EXPECT_DOUBLE_EQ(mdAt(*pts, -25), -25);
}

TEST(SurveyPts, LevelStretchAndExtrapolationOfLinearPoints) {
    CTeskSurveyPts pts;
    for (const Point& p : Points{{0, 0, 0, 0}, {0, 0, 1000, 1000}, {100, 0, 1000, 1100}, {300, 0, 1100, 1323.6068}})
        pts.Add(new CTeskWellborePt(p.x, p.y, p.tvd, p.md));
    EXPECT_TRUE(pts.IsDeviated());
    EXPECT_DOUBLE_EQ(mdAt(pts, 1000), 1000);  // where the level stretch begins
    EXPECT_NEAR(mdAt(pts, 1050), 1100 + 223.6068 / 2, 1e-9);
    // Below the last point, on along the last chord (2 across, 1 down).
    const double beyond = 1323.6068 + std::sqrt(5.0) * 10;
    EXPECT_NEAR(tvdAt(pts, beyond), 1110, 1e-6);
    EXPECT_NEAR(mdAt(pts, 1110), beyond, 1e-6);

    double tvd = -1, y = -1, x = -1;
    bool outside = false;
    EXPECT_FALSE(pts.CalcDownHoleLocation(beyond, tvd, y, x, outside, false));
    EXPECT_EQ(tvd, -1);  // untouched
    ASSERT_TRUE(pts.CalcDownHoleLocation(beyond, tvd, y, x, outside, true));
    EXPECT_TRUE(outside);
    EXPECT_NEAR(x, 320, 1e-6);
    EXPECT_NEAR(y, 0, 1e-9);
    // Above the first point the hole is vertical through it.
    ASSERT_TRUE(pts.CalcDownHoleLocation(-10, tvd, y, x, outside, false));
    EXPECT_TRUE(outside);
    EXPECT_EQ(tvd, -10);
    ASSERT_TRUE(pts.CalcDownHoleLocation(1000, tvd, y, x, outside, false));
    EXPECT_FALSE(outside);
}

TEST(SurveyPts, AnglesThatDoNotFitThePointsAreNotFollowed) {
    // Zero angles on a deviated survey (as a survey written back without its
    // angles would carry): interpolation stays on the chord, with no jump.
    CTeskSurveyPts pts;
    for (const Point& p : Points{{0, 0, 0, 0}, {0, 0, 500, 500}, {30, 40, 1000, 520 + 500}}) {
        auto* pt = new CTeskWellborePt(p.x, p.y, p.tvd, p.md);
        pt->SetAngles(0, 0);
        pts.Add(pt);
    }
    double tvd, y, x;
    bool outside;
    ASSERT_TRUE(pts.CalcDownHoleLocation(760, tvd, y, x, outside, false));
    EXPECT_DOUBLE_EQ(tvd, 750);
    EXPECT_DOUBLE_EQ(x, 15);
    EXPECT_DOUBLE_EQ(y, 20);
}

TEST(SurveyPts, RefusesWhatItCannotAnswer) {
    double d = 5, tvd = 7, y = 7, x = 7;
    bool outside = false;
    CTeskSurveyPts empty;
    EXPECT_EQ(empty.GetSize(), 0);
    EXPECT_EQ(empty.GetAt(0), nullptr);
    EXPECT_FALSE(empty.IsDeviated());
    EXPECT_FALSE(empty.CalcTVDIntercepts(d));
    EXPECT_FALSE(empty.CalcMDIntercepts(d));
    EXPECT_FALSE(empty.CalcDownHoleLocation(5, tvd, y, x, outside, true));
    EXPECT_EQ(d, 5);
    EXPECT_EQ(tvd, 7);

    CTeskSurveyPts backwards;  // MD going back
    backwards.Add(new CTeskWellborePt(0, 0, 0, 0));
    backwards.Add(new CTeskWellborePt(0, 0, 100, 100));
    backwards.Add(nullptr);  // ignored
    EXPECT_EQ(backwards.GetSize(), 2);
    backwards.Add(new CTeskWellborePt(0, 0, 50, 50));
    EXPECT_FALSE(backwards.CalcTVDIntercepts(d));
    EXPECT_FALSE(backwards.CalcMDIntercepts(d));
    EXPECT_EQ(backwards.GetAt(-1), nullptr);
    EXPECT_EQ(backwards.GetAt(3), nullptr);
    ASSERT_NE(backwards.GetAt(2), nullptr);
    double nan = std::nan("");
    const auto good = pointSet({{0, 0, 0}, {100, 10, 10}});
    EXPECT_FALSE(good->CalcTVDIntercepts(nan));
}

TEST(SurveyPts, CopiesDeeplyAndMakesStraightHoles) {
    auto pts = pointSet({{0, 0, 0}, {500, 0, 0}, {800, 30, 120}, {1200, 30, 120}});
    ASSERT_TRUE(pts->IsDeviated());
    CTeskSurveyPts copy;
    copy.Add(new CTeskWellborePt(1, 1, 1, 1));
    copy = *pts;
    ASSERT_EQ(copy.GetSize(), pts->GetSize());
    EXPECT_NE(copy.GetAt(2), pts->GetAt(2));
    EXPECT_TRUE(copy.HasStationAngles());
    const double md = 950;
    double a = md, b = md;
    pts->CalcTVDIntercepts(a);
    copy.CalcTVDIntercepts(b);
    EXPECT_EQ(a, b);
    pts->DeleteAll();
    EXPECT_EQ(pts->GetSize(), 0);
    EXPECT_EQ(copy.GetAt(3)->GetMD(), 1200);

    // SetStraightHole overrides the classification until the set changes.
    copy.SetStraightHole(true);
    EXPECT_FALSE(copy.IsDeviated());
    copy.Add(new CTeskWellborePt(400, 0, 1300, 1500));
    EXPECT_TRUE(copy.IsDeviated());

    copy.MakeStraightHole(nullptr);
    EXPECT_FALSE(copy.IsDeviated());
    for (int i = 0; i < copy.GetSize(); ++i) {
        const CTeskWellborePt* p = copy.GetData()[i];
        EXPECT_EQ(p->GetXOffset(), 0);
        EXPECT_EQ(p->GetYOffset(), 0);
        EXPECT_EQ(p->GetTVD(), p->GetMD());
        EXPECT_EQ(p->GetInclination(), 0);
    }
    EXPECT_DOUBLE_EQ(tvdAt(copy, 1234.5), 1234.5);
    EXPECT_DOUBLE_EQ(mdAt(copy, 1234.5), 1234.5);
}

// ---------------------------------------------------------------- the blob

TEST(SurveyBlob, RoundTripsPointsAndAnglesExactly) {
    const Points points{{0, 0, 0, 0}, {1.5, -2.25, 999.125, 1000}, {-1e-300, 3e10, 5000.0, 5100.75}};
    const std::vector<PointAngles> angles{{0, 0}, {12.5, 359.75}, {180, 0.001}};
    for (bool withAngles : {false, true}) {
        const std::vector<uint8_t> blob = EncodeSurveyBlob(points, withAngles ? angles : std::vector<PointAngles>{});
        const size_t pointSize = withAngles ? kSurveyBlobPointWithAnglesSize : kSurveyBlobPointSize;
        ASSERT_EQ(blob.size(), kSurveyBlobHeaderSize + 3 * pointSize);
        EXPECT_EQ(std::memcmp(blob.data(), withAngles ? "TKSV\x02\x00\x01\x00\x03\x00\x00\x00"
                                                      : "TKSV\x02\x00\x00\x00\x03\x00\x00\x00",
                              12),
                  0);
        Points decoded;
        std::vector<PointAngles> decodedAngles{{9, 9}};
        ASSERT_TRUE(DecodeSurveyBlob(blob, decoded, &decodedAngles));
        ASSERT_EQ(decoded.size(), 3u);
        ASSERT_EQ(decodedAngles.size(), withAngles ? 3u : 0u);
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(decoded[i].x, points[i].x);
            EXPECT_EQ(decoded[i].y, points[i].y);
            EXPECT_EQ(decoded[i].tvd, points[i].tvd);
            EXPECT_EQ(decoded[i].md, points[i].md);
            if (withAngles) {
                EXPECT_EQ(decodedAngles[i].inclination, angles[i].inclination);
                EXPECT_EQ(decodedAngles[i].azimuth, angles[i].azimuth);
            }
        }
    }
    // A point set keeps its angles through the blob, and so its arcs.
    const auto pts = pointSet(iscwsa1());
    const std::vector<uint8_t> blob = EncodeSurveyBlob(*pts);
    CTeskSurveyPts back;
    ASSERT_TRUE(DecodeSurveyBlob(blob.data(), blob.size(), back));
    EXPECT_TRUE(back.HasStationAngles());
    double a = 1657.3, b = 1657.3;
    pts->CalcTVDIntercepts(a);
    back.CalcTVDIntercepts(b);
    EXPECT_EQ(a, b);

    Points none;
    EXPECT_TRUE(DecodeSurveyBlob({}, none));
    EXPECT_TRUE(none.empty());
}

TEST(SurveyBlob, StillReadsVersion1) {
    const uint8_t v1[12 + 32] = {'T', 'K', 'S', 'V', 1, 0, 0, 0, 1, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,   // x 1.0
                                 0, 0, 0, 0, 0, 0, 0, 0x40,      // y 2.0
                                 0, 0, 0, 0, 0, 0, 0x59, 0x40,   // tvd 100.0
                                 0, 0, 0, 0, 0, 0, 0x5A, 0x40};  // md 104.0
    Points out;
    std::vector<PointAngles> angles{{1, 1}};
    ASSERT_TRUE(DecodeSurveyBlob(v1, sizeof v1, out, &angles));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].x, 1.0);
    EXPECT_EQ(out[0].y, 2.0);
    EXPECT_EQ(out[0].tvd, 100.0);
    EXPECT_EQ(out[0].md, 104.0);
    EXPECT_TRUE(angles.empty());
}

TEST(SurveyBlob, RejectsDamagedBlobsWhole) {
    const std::vector<uint8_t> good = EncodeSurveyBlob({{0, 0, 0, 0}, {1, 2, 90, 100}}, {{0, 0}, {5, 60}});
    auto with = [&](auto change) {
        std::vector<uint8_t> b = good;
        change(b);
        return b;
    };
    auto putDouble = [](std::vector<uint8_t>& b, size_t at, double v) { std::memcpy(b.data() + at, &v, 8); };
    const size_t p1 = 12 + 48;  // second point
    const struct {
        const char* what;
        std::vector<uint8_t> blob;
    } cases[] = {
        {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 7)},
        {"a trailing byte", with([](auto& b) { b.push_back(0); })},
        {"wrong magic", with([](auto& b) { b[0] = 'X'; })},
        {"an unknown version", with([](auto& b) { b[4] = 3; })},
        {"version 1 with flags", with([](auto& b) { b[4] = 1; })},
        {"an unknown flag", with([](auto& b) { b[6] = 3; })},
        {"angles flag off, sizes for angles", with([](auto& b) { b[6] = 0; })},
        {"count beyond the data", with([](auto& b) { b[8] = 3; })},
        {"count near 2^32", with([](auto& b) { b[11] = 0xFF; })},
        {"a NaN offset", with([&](auto& b) { putDouble(b, p1 + 16, std::nan("")); })},
        {"an infinite MD", with([&](auto& b) { putDouble(b, p1 + 24, INFINITY); })},
        {"MD going back", with([&](auto& b) { putDouble(b, p1 + 24, -100); })},
        {"inclination past 180", with([&](auto& b) { putDouble(b, p1 + 32, 180.5); })},
        {"a NaN azimuth", with([&](auto& b) { putDouble(b, p1 + 40, std::nan("")); })},
        {"zeros", std::vector<uint8_t>(44, 0)},
    };
    for (const auto& c : cases) {
        Points out{{9, 9, 9, 9}};
        EXPECT_FALSE(DecodeSurveyBlob(c.blob, out)) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
        CTeskSurveyPts pts;
        EXPECT_FALSE(DecodeSurveyBlob(c.blob.data(), c.blob.size(), pts)) << c.what;
        EXPECT_EQ(pts.GetSize(), 0) << c.what;
    }
    // Every truncation, each from a heap buffer of exactly its size, so that
    // a read past the end shows under the address sanitizer.
    for (size_t n = 1; n < good.size(); ++n) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[n]);
        std::memcpy(exact.get(), good.data(), n);
        Points out;
        EXPECT_FALSE(DecodeSurveyBlob(exact.get(), n, out)) << n;
    }
}

} // namespace
