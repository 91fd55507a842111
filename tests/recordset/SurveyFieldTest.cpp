// The well header's survey field through the managed record set: reading the
// survey as an object, writing one back with its stations and directional
// survey row, and the linked depths that follow a deviated survey.

#include <gtest/gtest.h>

#include <geodesic.h>

#include <cmath>
#include <vector>

#include "platform/text/Format.h"
#include "provider/ManagedDataProvider.h"
#include "services/SampleProjectFixture.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"

using namespace tesk::test;
using TeskDataProvider::ManagedDataProvider;
using TeskDataProvider::ManagedRecordsetRef;
using TeskDataProvider::ManagedWellSurvey;
using TeskDataProvider::ManagedWellSurveyRef;

namespace {

class SurveyFieldTest : public SampleProjectTest {
protected:
    ManagedRecordsetRef open(const char* name, const std::string& wellId) {
        auto rs = ManagedDataProvider::GetTeskRecordset(name, System::FromAnsi("\"Well ID\" = '" + wellId + "'"), "",
                                                        std::make_shared<tesk::DataTypes::ManagedAoi>());
        m_open.push_back(rs);
        return rs;
    }
    void TearDown() override {
        for (auto& rs : m_open) rs->Dispose();
        SampleProjectTest::TearDown();
    }
    // A survey that builds from vertical to 40 degrees heading north-east.
    static ManagedWellSurveyRef buildSurvey() {
        std::vector<tesk::survey::Station> stations;
        for (int i = 0; i <= 20; ++i) stations.push_back({i * 300.0, i < 5 ? 0.0 : std::min(40.0, (i - 4) * 5.0), 45.0});
        const auto points = tesk::survey::PointsFromStations(stations);
        std::vector<double> x, y, z, md, inc, azi;
        for (size_t i = 0; i < points.size(); ++i) {
            x.push_back(points[i].x), y.push_back(points[i].y), z.push_back(points[i].tvd), md.push_back(points[i].md);
            inc.push_back(stations[i].inclination), azi.push_back(stations[i].azimuth);
        }
        auto survey = System::gcnew<ManagedWellSurvey>();
        survey->SetPoints(static_cast<int>(x.size()), x.data(), y.data(), z.data(), md.data(), inc.data(), azi.data());
        return survey;
    }
    static std::vector<double> pointsOf(ManagedWellSurvey& s) {
        std::vector<double> out;
        for (int i = 0; i < s.GetSize(); ++i) {
            double x, y, z, d;
            s.GetAt(i, x, y, z, d);
            out.insert(out.end(), {x, y, z, d});
        }
        return out;
    }
    std::vector<ManagedRecordsetRef> m_open;
};

TEST_P(SurveyFieldTest, OnlyTheWellHeaderHasASurveyField) {
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"DirectionalSurvey\"");
    auto header = open("WellHeader", well);
    const short column = header->GetColumnIndex("Survey Points");
    EXPECT_TRUE(header->HasSurveyField());
    EXPECT_TRUE(header->IsFieldSurvey(column));
    EXPECT_FALSE(header->IsFieldSurvey(0));
    EXPECT_EQ(header->GetFieldType(column).FullName(), "TeskDataProvider.ManagedWellSurvey");

    auto first = std::dynamic_pointer_cast<ManagedWellSurvey>(header->GetFieldValue(column));
    auto second = header->GetWellSurvey();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->IsDeviated());
    EXPECT_EQ(pointsOf(*first), pointsOf(*second));

    auto tops = open("Formations", well);
    EXPECT_FALSE(tops->HasSurveyField());
    EXPECT_EQ(tops->GetWellSurvey(), nullptr);
    EXPECT_FALSE(System::gcnew<TeskDataProvider::ManagedRecordset>()->HasSurveyField());
    EXPECT_THROW(header->SetFieldValue(column, System::Box(1.0)), System::InvalidCastException);
    EXPECT_THROW(header->SetFieldValue(column, nullptr), System::NullReferenceException);
    for (auto& s : {first, second}) s->Dispose();
}

TEST_P(SurveyFieldTest, DeviatedSurveyIsWrittenWithItsRowStationsAndBottomHole) {
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"DirectionalSurvey\"");
    auto header = open("WellHeader", well);
    auto survey = buildSurvey();
    ASSERT_TRUE(header->SetFieldValue(header->GetColumnIndex("Survey Points"), survey));

    auto again = open("WellHeader", well)->GetWellSurvey();
    EXPECT_EQ(pointsOf(*again), pointsOf(*survey)) << "written and read back equal";
    EXPECT_EQ(count("SurveyStation", "\"Well ID\" = '" + well + "'"), survey->GetSize());

    double dx, dy, tvd, md;
    survey->GetAt(survey->GetSize() - 1, dx, dy, tvd, md);
    const std::string where = " FROM \"DirectionalSurvey\" WHERE \"Well ID\" = '" + well + "'";
    EXPECT_EQ(scalar("SELECT \"TVD\"" + where), tesk::text::Format("%lf", tvd));
    EXPECT_EQ(scalar("SELECT \"X Offset\"" + where), tesk::text::Format("%lf", dx));
    // The bottom hole lies on the geodesic from the surface, as far as the
    // offsets reach (feet), in their direction.
    const double surfaceX = std::stod(scalar("SELECT \"Lng\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + well + "'"));
    const double surfaceY = std::stod(scalar("SELECT \"Lat\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + well + "'"));
    const double bhX = std::stod(scalar("SELECT \"BH Longitude\"" + where));
    const double bhY = std::stod(scalar("SELECT \"BH Latitude\"" + where));
    geod_geodesic wgs84;
    geod_init(&wgs84, 6378137, 1 / 298.257223563);
    double distance, azimuth, back;
    geod_inverse(&wgs84, surfaceY, surfaceX, bhY, bhX, &distance, &azimuth, &back);
    // Six decimals of a degree place a point to about 0.1 m.
    EXPECT_NEAR(distance, std::hypot(dx, dy) * 0.3048, 0.12) << "metres";
    EXPECT_NEAR(azimuth, std::atan2(dx, dy) * 180 / M_PI, 0.12 / distance * 180 / M_PI);
    EXPECT_EQ(std::stod(scalar("SELECT \"Horizontal Displacement\"" + where)), std::stod(tesk::text::Format("%lf", std::hypot(dx, dy))));

    // Top TVDs now follow the new survey when an MD is written.
    auto tops = open("Formations", well);
    ASSERT_FALSE(tops->IsEOF());
    tops->Edit();
    ASSERT_TRUE(tops->SetFieldValue(tops->GetColumnIndex("Top MD"), System::Box(4321.0)));
    double expected = 4321.0;
    ASSERT_TRUE(survey->ConvertMDtoTVD(4321.0, expected));
    EXPECT_NEAR(*System::TryUnbox<double>(tops->GetFieldValue(tops->GetColumnIndex("Top TVD"))), expected, 1e-9);
    EXPECT_LT(expected, 4321.0 - 100) << "a deviated well's TVD is well above its MD";
    ASSERT_TRUE(tops->SetFieldValue(tops->GetColumnIndex("Top TVD"), System::Box(expected)));
    EXPECT_NEAR(*System::TryUnbox<double>(tops->GetFieldValue(tops->GetColumnIndex("Top MD"))), 4321.0, 1e-6);
    survey->Dispose();
    again->Dispose();
}

TEST_P(SurveyFieldTest, WellWithoutSurveyRowAndStraightAndUvoPaths) {
    const std::string well = scalar(
        "SELECT MIN(\"Well ID\") FROM \"WellHeader\" WHERE \"Well ID\" NOT IN (SELECT \"Well ID\" FROM \"DirectionalSurvey\")");
    const std::string blob = "SELECT \"Is Deviated\" FROM \"WellHeader\" WHERE \"Well ID\" = '" + well + "'";
    const std::string stations = "\"Well ID\" = '" + well + "'";
    const int64_t stationsBefore = count("SurveyStation", stations);
    auto header = open("WellHeader", well);
    const short column = header->GetColumnIndex("Survey Points");
    auto survey = buildSurvey();
    EXPECT_FALSE(header->SetFieldValue(column, survey)) << "a deviated survey needs the well's survey row";
    EXPECT_EQ(scalar(blob), "0");
    EXPECT_EQ(count("SurveyStation", stations), stationsBefore);

    survey->MakeStraightHole();
    EXPECT_TRUE(header->SetFieldValue(column, survey)) << "a straight survey needs no survey row";
    EXPECT_EQ(count("SurveyStation", stations), 0);
    auto stored = open("WellHeader", well)->GetWellSurvey();
    ASSERT_GT(stored->GetSize(), 0);
    EXPECT_FALSE(stored->IsDeviated());
    double x, y, tvd, md;
    stored->GetAt(stored->GetSize() - 1, x, y, tvd, md);
    EXPECT_NEAR(tvd, 6000.0, 1e-6) << "straight to the survey's last depth";

    auto descriptor = CTeskProject::Current().GetDescriptor();
    descriptor.uvo = true;
    CTeskProject::Current().SaveDescriptor(descriptor);
    EXPECT_TRUE(header->SetFieldValue(column, survey));
    EXPECT_EQ(open("WellHeader", well)->GetWellSurvey()->GetSize(), 0) << "a Uvo project deletes the survey";
    for (auto& s : {survey, stored}) s->Dispose();
}

INSTANTIATE_TEST_SUITE_P(Engines, SurveyFieldTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
