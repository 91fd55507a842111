// The factory's survey services over the sample project, on every engine:
// wellbore geometry read, written, deleted and made straight, the header
// set's survey, and the stored survey stations.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>

#include "services/Meriq10/CoordSys.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskSurveyStations.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"
#include "services/project/CrsTransform.h"
#include "services/SampleProjectFixture.h"

namespace tesk::test {
namespace {

class WellboreGeometryTest : public SampleProjectTest {
protected:
    void SetUp() override {
        SampleProjectTest::SetUp();
        m_deviated = scalar("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Is Deviated\" = 1 ORDER BY \"Well ID\"");
        m_straight = scalar("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Is Deviated\" = 0 ORDER BY \"Well ID\"");
        ASSERT_FALSE(m_deviated.empty());
        ASSERT_FALSE(m_straight.empty());
    }

    std::unique_ptr<CTeskSurveyPts> geometry(const std::string& well, int source = 0, bool subsea = false,
                                             bool angles = true, bool straightIfNone = false) {
        auto pts = std::make_unique<CTeskSurveyPts>();
        CTeskDataFactory::GetWellboreGeometry(well.c_str(), pts.get(), source, subsea, angles, straightIfNone);
        return pts;
    }

    std::vector<uint8_t> storedBlob(const std::string& well) {
        auto st = db().connection().prepare("SELECT \"Survey Points\" FROM \"WellHeader\" WHERE \"Well ID\" = ?");
        st->bind(0, well);
        st->execute();
        std::vector<uint8_t> out;
        if (st->fetch() && !st->isNull(0)) {
            const auto b = st->getBlob(0);
            out.assign(b.begin(), b.end());
        }
        st->reset();
        return out;
    }

    void storeBlob(const std::string& well, const tesk::db::Value& blob) {
        auto st = db().connection().prepare("UPDATE \"WellHeader\" SET \"Survey Points\" = ? WHERE \"Well ID\" = ?");
        st->bind(0, blob);
        st->bind(1, well);
        st->execute();
    }

    std::vector<survey::Station> stations(const std::string& well) {
        std::vector<survey::Station> out;
        CTeskDataInitializer::GetDataFactory()->GetSurveyStations(well.c_str(), out);
        return out;
    }

    std::string m_deviated, m_straight;
};

void expectSamePoints(const CTeskSurveyPts& a, const CTeskSurveyPts& b, double tolerance) {
    ASSERT_EQ(a.GetSize(), b.GetSize());
    for (int i = 0; i < a.GetSize(); ++i) {
        EXPECT_NEAR(a.GetAt(i)->GetXOffset(), b.GetAt(i)->GetXOffset(), tolerance) << i;
        EXPECT_NEAR(a.GetAt(i)->GetYOffset(), b.GetAt(i)->GetYOffset(), tolerance) << i;
        EXPECT_NEAR(a.GetAt(i)->GetTVD(), b.GetAt(i)->GetTVD(), tolerance) << i;
        EXPECT_NEAR(a.GetAt(i)->GetMD(), b.GetAt(i)->GetMD(), tolerance) << i;
    }
}

TEST_P(WellboreGeometryTest, ReadsTheStoredSurveyAndItsTopsAgree) {
    const auto pts = geometry(m_deviated);
    ASSERT_GT(pts->GetSize(), 3);
    EXPECT_TRUE(pts->IsDeviated());
    EXPECT_TRUE(pts->HasStationAngles());

    // The sample's tops were placed on the hole's arcs: converting their MDs
    // gives their TVDs to the centimetre they were rounded to, between
    // stations as well as on them.
    auto st = db().connection().prepare(
        "SELECT \"Top MD\", \"Top TVD\" FROM \"FormationTop\" WHERE \"Well ID\" = ? AND \"Top MD\" > 0");
    st->bind(0, m_deviated);
    st->execute();
    int checked = 0;
    while (st->fetch()) {
        double depth = st->getDouble(0);
        ASSERT_TRUE(pts->CalcTVDIntercepts(depth));
        EXPECT_NEAR(depth, st->getDouble(1), 0.005 + 1e-9);
        ++checked;
    }
    st->reset();
    EXPECT_GT(checked, 0);

    // The same survey computed afresh from the stored stations.
    expectSamePoints(*geometry(m_deviated, 1), *pts, 1e-6);

    // Without angles, in subsea depths.
    const auto plain = geometry(m_deviated, 0, true, false);
    ASSERT_EQ(plain->GetSize(), pts->GetSize());
    EXPECT_FALSE(plain->GetAt(0)->HasAngles());
    const double kb = std::stod(scalar("SELECT \"KB Elevation\" FROM \"WellHeader\" WHERE \"Well ID\" = '" +
                                       m_deviated + "'"));
    EXPECT_NEAR(plain->GetAt(2)->GetTVD(), pts->GetAt(2)->GetTVD() - kb, 1e-9);

    // The header set hands out the same survey.
    std::unique_ptr<CTeskHeaderAndBlobSet> set(CTeskDataInitializer::GetDataFactory()->CreateWellAndBlobRecordset(
        0, nullptr, 16, ("\"Well ID\" = '" + m_deviated + "'").c_str(), ""));
    ASSERT_TRUE(set && set->IsOpen() && !set->IsEOF());
    CTeskSurveyPts fromSet;
    EXPECT_TRUE(set->GetSurveyPts(&fromSet, 1));
    expectSamePoints(fromSet, *pts, 0);
    EXPECT_TRUE(fromSet.HasStationAngles());
}

TEST_P(WellboreGeometryTest, UnknownWellsAndBadArgumentsChangeNothing) {
    CTeskSurveyPts pts;
    pts.Add(new CTeskWellborePt(1, 2, 3, 4));
    EXPECT_FALSE(CTeskDataFactory::GetWellboreGeometry("no such well", &pts, 0, false, true, false));
    EXPECT_EQ(pts.GetSize(), 0);
    EXPECT_FALSE(CTeskDataFactory::GetWellboreGeometry(m_deviated.c_str(), &pts, 7, false, true, false));
    EXPECT_FALSE(CTeskDataFactory::GetWellboreGeometry(m_deviated.c_str(), nullptr, 0, false, true, false));

    const auto before = storedBlob(m_deviated);
    pts.Add(new CTeskWellborePt(0, 0, 0, 0));
    EXPECT_FALSE(CTeskDataFactory::UpdateWellboreGeometry("no such well", &pts, 1, false));
    EXPECT_FALSE(CTeskDataFactory::DeleteWellboreGeometry("no such well", true));
    EXPECT_FALSE(CTeskDataFactory::Add3PointBLOB("no such well", "1000"));
    // A set that would not decode again is refused whole.
    pts.Add(new CTeskWellborePt(0, 0, 10, 20));
    pts.Add(new CTeskWellborePt(0, 0, 5, 10));
    EXPECT_FALSE(CTeskDataFactory::UpdateWellboreGeometry(m_deviated.c_str(), &pts, 1, false));
    for (const char* depth : std::initializer_list<const char*>{"", "deep", "-5", "1e999", "12 ft", nullptr})
        EXPECT_FALSE(CTeskDataFactory::Add3PointBLOB(m_deviated.c_str(), depth)) << (depth ? depth : "null");
    EXPECT_EQ(storedBlob(m_deviated), before);
}

TEST_P(WellboreGeometryTest, WritesASurveyThatReadsBackEqual) {
    // A new survey for the straight well: kick off, turn through north.
    const survey::SurveyPath path({{0, 0, 0}, {1000, 0, 0}, {1300, 15, 350}, {1600, 25, 10}, {2500, 25, 10}});
    CTeskSurveyPts pts;
    for (size_t i = 0; i < path.points().size(); ++i) {
        const survey::Point& p = path.points()[i];
        auto* pt = new CTeskWellborePt(p.x, p.y, p.tvd, p.md);
        pt->SetAngles(path.stations()[i].inclination, path.stations()[i].azimuth);
        pts.Add(pt);
    }
    ASSERT_TRUE(CTeskDataFactory::UpdateWellboreGeometry(m_straight.c_str(), &pts, 1, false));
    const auto back = geometry(m_straight);
    expectSamePoints(*back, pts, 0);
    EXPECT_TRUE(back->HasStationAngles());
    EXPECT_EQ(scalar("SELECT \"Is Deviated\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + m_straight + "'"), "1");

    // Header flag untouched with 0; tops follow the survey when asked.
    pts.MakeStraightHole(nullptr);
    ASSERT_TRUE(CTeskDataFactory::UpdateWellboreGeometry(m_straight.c_str(), &pts, 0, false));
    EXPECT_EQ(scalar("SELECT \"Is Deviated\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + m_straight + "'"), "1");
    ASSERT_TRUE(CTeskDataFactory::UpdateWellboreGeometry(m_deviated.c_str(), &pts, 1, true));
    EXPECT_EQ(scalar("SELECT \"Is Deviated\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + m_deviated + "'"), "0");
    EXPECT_EQ(count("FormationTop", "\"Well ID\" = '" + m_deviated + "' AND ABS(\"Top TVD\" - \"Top MD\") > 1e-6"),
              0);
    EXPECT_GT(count("FormationTop", "\"Well ID\" = '" + m_deviated + "'"), 0);
}

TEST_P(WellboreGeometryTest, DeletesAndMakesStraightHoles) {
    const size_t stationCount = stations(m_deviated).size();
    ASSERT_GT(stationCount, 2u);
    ASSERT_TRUE(CTeskDataFactory::DeleteWellboreGeometry(m_deviated.c_str(), false));
    EXPECT_TRUE(storedBlob(m_deviated).empty());
    EXPECT_EQ(stations(m_deviated).size(), stationCount);
    EXPECT_EQ(geometry(m_deviated)->GetSize(), 0);
    // Or a vertical hole to the well's total depth, when asked for one.
    const double td = std::stod(scalar("SELECT \"Total Depth\" FROM \"WellHeader\" WHERE \"Well ID\" = '" +
                                       m_deviated + "'"));
    const auto vertical = geometry(m_deviated, 0, false, true, true);
    ASSERT_EQ(vertical->GetSize(), 3);
    EXPECT_NEAR(vertical->GetAt(2)->GetTVD(), td, 1e-6 * td);
    EXPECT_FALSE(vertical->IsDeviated());

    ASSERT_TRUE(CTeskDataFactory::DeleteWellboreGeometry(m_deviated.c_str(), true));
    EXPECT_TRUE(stations(m_deviated).empty());

    ASSERT_TRUE(CTeskDataFactory::Add3PointBLOB(m_deviated.c_str(), " 8450.5 "));
    const auto straight = geometry(m_deviated);
    ASSERT_EQ(straight->GetSize(), 3);
    EXPECT_FALSE(straight->IsDeviated());
    EXPECT_EQ(straight->GetAt(1)->GetMD(), 4225.25);
    EXPECT_EQ(straight->GetAt(2)->GetTVD(), 8450.5);
    double md = 6000;
    EXPECT_TRUE(straight->CalcMDIntercepts(md));
    EXPECT_NEAR(md, 6000, 1e-9);
}

TEST_P(WellboreGeometryTest, DamagedBlobGivesAnEmptySurvey) {
    std::vector<uint8_t> blob = storedBlob(m_deviated);
    ASSERT_GT(blob.size(), 100u);
    blob.resize(blob.size() - 5);
    storeBlob(m_deviated, blob);
    CTeskSurveyPts pts;
    EXPECT_FALSE(CTeskDataFactory::GetWellboreGeometry(m_deviated.c_str(), &pts, 0, false, true, false));
    EXPECT_EQ(pts.GetSize(), 0);
    std::unique_ptr<CTeskHeaderAndBlobSet> set(CTeskDataInitializer::GetDataFactory()->CreateWellAndBlobRecordset(
        0, nullptr, 16, ("\"Well ID\" = '" + m_deviated + "'").c_str(), ""));
    ASSERT_TRUE(set && !set->IsEOF());
    EXPECT_FALSE(set->GetSurveyPts(&pts, 1));
    EXPECT_EQ(pts.GetSize(), 0);
}

TEST_P(WellboreGeometryTest, StationsFromAPositionLog) {
    const auto pts = geometry(m_deviated);
    const std::vector<survey::Station> original = stations(m_deviated);
    ASSERT_EQ(original.size(), static_cast<size_t>(pts->GetSize()));
    CTeskPositionLog log;
    for (int i = 0; i < pts->GetSize(); ++i) {
        CTeskWellborePt pt(pts->GetAt(i)->GetXOffset(), pts->GetAt(i)->GetYOffset(), pts->GetAt(i)->GetTVD(),
                           pts->GetAt(i)->GetMD());
        log.Add(pt);
        pt.SetMD(-1);  // the log keeps its own copy
    }
    ASSERT_EQ(log.GetPts().GetSize(), pts->GetSize());
    EXPECT_EQ(log.GetPts().GetAt(1)->GetMD(), pts->GetAt(1)->GetMD());
    const XYZPt surface{std::stod(scalar("SELECT \"Lng\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + m_deviated + "'")),
                        std::stod(scalar("SELECT \"Lat\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + m_deviated + "'")),
                        0};
    const CoordSys display("EPSG:32615");

    // Zero angles for a deviated log (a survey read without its angles and
    // written back): the stations are derived from the points instead.
    const std::vector<double> zeros(static_cast<size_t>(pts->GetSize()), 0.0);
    CTeskSurveyStations stationsOf(m_deviated.c_str());
    EXPECT_TRUE(stationsOf.RemoveAllPoints());
    EXPECT_FALSE(stationsOf.RemoveAllPoints());
    ASSERT_TRUE(stationsOf.UpdateFromPositionLog(m_deviated.c_str(), log, surface, &display, 1, zeros.data(),
                                                 zeros.data()));
    const std::vector<survey::Station> derived = stations(m_deviated);
    ASSERT_EQ(derived.size(), original.size());
    for (size_t i = 0; i < derived.size(); ++i) {
        EXPECT_EQ(derived[i].md, original[i].md);
        EXPECT_NEAR(derived[i].inclination, original[i].inclination, 1e-6) << i;
        if (original[i].inclination > 0) {
            EXPECT_NEAR(derived[i].azimuth, original[i].azimuth, 1e-6) << i;
        }
    }
    expectSamePoints(*geometry(m_deviated, 1), *pts, 1e-4);

    // Map positions in the display system: the surface in UTM, and the
    // offsets (feet) added as grid metres.
    auto mapPosition = [&](const char* order) {
        auto st = db().connection().prepare("SELECT \"Display X\", \"Display Y\" FROM \"SurveyStation\" WHERE "
                                            "\"Well ID\" = ? ORDER BY \"MD\" " + std::string(order));
        st->bind(0, m_deviated);
        st->execute();
        EXPECT_TRUE(st->fetch());
        std::optional<std::pair<double, double>> out;
        if (!st->isNull(0)) out.emplace(st->getDouble(0), st->getDouble(1));
        st->reset();
        return out;
    };
    double ux = 0, uy = 0;
    ASSERT_TRUE(project::CrsTransform("EPSG:4326", "EPSG:32615").Point(surface.x, surface.y, ux, uy));
    const auto top = mapPosition("ASC"), bottom = mapPosition("DESC");
    ASSERT_TRUE(top && bottom);
    EXPECT_NEAR(top->first, ux, 1e-6);
    EXPECT_NEAR(top->second, uy, 1e-6);
    const CTeskWellborePt& last = *pts->GetAt(pts->GetSize() - 1);
    EXPECT_NEAR(bottom->first - top->first, last.GetXOffset() * 0.3048, 1e-6);
    EXPECT_NEAR(bottom->second - top->second, last.GetYOffset() * 0.3048, 1e-6);

    // Angles given are stored as given, azimuths brought into [0, 360); no
    // display system, no map positions.
    std::vector<double> inc(zeros.size(), 3.0), azi(zeros.size(), -10.0);
    ASSERT_TRUE(stationsOf.UpdateFromPositionLog(m_deviated.c_str(), log, surface, nullptr, 1, inc.data(), azi.data()));
    const auto given = stations(m_deviated);
    ASSERT_EQ(given.size(), original.size());
    EXPECT_EQ(given.back().inclination, 3.0);
    EXPECT_EQ(given.back().azimuth, 350.0);
    EXPECT_FALSE(mapPosition("ASC"));

    // No such well: nothing stored anywhere.
    EXPECT_FALSE(stationsOf.UpdateFromPositionLog("no such well", log, surface, &display, 1, nullptr, nullptr));
    EXPECT_EQ(count("SurveyStation", "\"Well ID\" = 'no such well'"), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, WellboreGeometryTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
} // namespace tesk::test
