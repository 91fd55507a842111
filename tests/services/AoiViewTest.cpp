// Area-of-interest views list exactly the wells inside their extents, across
// the dateline too, and follow changes to the areas.

#include <gtest/gtest.h>

#include <set>

#include "platform/db/CDBException.h"
#include "services/QoClient/CQoProjectInfo.h"
#include "services/project/CrsTransform.h"
#include "SampleProjectFixture.h"

using namespace tesk::test;

namespace {

class AoiViewTest : public SampleProjectTest {
protected:
    std::set<std::string> idsOf(const std::string& sql) {
        std::set<std::string> ids;
        auto st = db().connection().prepare(sql);
        st->execute();
        while (st->fetch()) ids.emplace(st->getText(0));
        st->reset();
        return ids;
    }
    std::set<std::string> view(const std::string& suffix) {
        return idsOf("SELECT \"Well ID\" FROM \"WellHeader_" + suffix + "\"");
    }
    struct Well {
        std::string id, field;
        double lng, lat;
    };
    std::vector<Well> wells() {
        std::vector<Well> out;
        auto st = db().connection().prepare("SELECT \"Well ID\", \"Field\", \"Lng\", \"Lat\" FROM \"WellHeader\"");
        st->execute();
        while (st->fetch())
            out.push_back({std::string(st->getText(0)), std::string(st->getText(1)), st->getDouble(2), st->getDouble(3)});
        st->reset();
        return out;
    }
};

TEST_P(AoiViewTest, GeographicAreasListTheWellsInsideThem) {
    std::set<std::string> gulf, north, dateline;
    for (const Well& w : wells()) {
        if (w.lat >= 29.35 && w.lat <= 29.85 && w.lng >= -94.65 && w.lng <= -94.15) gulf.insert(w.id);
        if (w.lat >= 29.60 && w.lat <= 29.85 && w.lng >= -94.65 && w.lng <= -94.15) north.insert(w.id);
        if (w.lat >= 51.2 && w.lat <= 51.7 && (w.lng >= 179.5 || w.lng <= -179.5)) dateline.insert(w.id);
    }
    ASSERT_GT(m_summary.datelineWells, 1);
    EXPECT_EQ(dateline.size(), static_cast<size_t>(m_summary.datelineWells));
    EXPECT_FALSE(north.empty());
    EXPECT_LT(north.size(), gulf.size());
    EXPECT_EQ(view("GalvestonBay"), gulf);
    EXPECT_EQ(view("NorthBlock"), north);
    EXPECT_EQ(view("Dateline"), dateline);
    // Wells on both sides of the meridian.
    EXPECT_EQ(idsOf("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Lng\" > 0").size() +
                  idsOf("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Lng\" < -179").size(),
              dateline.size());
    EXPECT_GT(idsOf("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Lng\" > 0").size(), 0u);
}

TEST_P(AoiViewTest, AreaInAnotherCoordinateSystemIsTransformed) {
    // "Bay South UTM": easting 325000..350000, northing 3253000..3273000 in EPSG:32615.
    const tesk::project::CrsTransform toUtm("EPSG:4326", "EPSG:32615");
    const std::set<std::string> listed = view("BaySouthUTM");
    int inside = 0;
    for (const Well& w : wells()) {
        if (w.field != tesk::sample::kGulfField) continue;
        double e = 0, n = 0;
        ASSERT_TRUE(toUtm.Point(w.lng, w.lat, e, n));
        const double margin = 300;  // the view's box may be a little wider than the rotated UTM box
        if (e > 325000 + margin && e < 350000 - margin && n > 3253000 + margin && n < 3273000 - margin) {
            EXPECT_TRUE(listed.count(w.id)) << w.id;
            ++inside;
        }
        if (e < 325000 - margin || e > 350000 + margin || n < 3253000 - margin || n > 3273000 + margin) {
            EXPECT_FALSE(listed.count(w.id)) << w.id;
        }
    }
    EXPECT_GT(inside, 0);
}

TEST_P(AoiViewTest, ChangingTheAreasRebuildsTheViews) {
    CTeskProject& project = CTeskProject::Current();
    tesk::project::Descriptor d = project.GetDescriptor();
    d.areas.erase(d.areas.begin() + 1);  // North Block
    d.areas.push_back({"Everything", "Everything", "", 90, -90, 180, -180});
    d.currentAoi = "Everything";
    project.SaveDescriptor(d);

    EXPECT_EQ(view("Everything").size(), static_cast<size_t>(m_summary.wells));
    EXPECT_THROW(view("NorthBlock"), CDBException);
    EXPECT_EQ(CQoProjectInfo::AoiName(), "Everything");
    // The change is on disk.
    CTeskProject::Open(CQoProjectInfo::Path());
    EXPECT_EQ(CTeskProject::Current().GetDescriptor().FindAoi("Everything")->viewSuffix, "Everything");
}

INSTANTIATE_TEST_SUITE_P(Engines, AoiViewTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
