// The project workspace: areas of interest with their stored extents, the
// map window, the coordinate systems, and extents brought into database
// coordinates as a client does it, checked against PROJ's own cs2cs.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "SampleProjectFixture.h"
#include "services/Meriq10/MeriqErrors.h"
#include "support/Extents.h"
#include "services/QoClient/CQoProjectInfo.h"

using namespace tesk::test;

namespace {

// The extents of an area of interest, or else the logical extents, in
// database coordinates, the way a client asks for them.
Box extentsInDatabaseCoordinates(const char* aoiName) {
    MapExtents extents;
    if (std::unique_ptr<CQoAoiItemData> item{CQoProjectInfo::Aoi(aoiName)})
        extents = item->Extents();
    else
        extents = CQoProjectInfo::LogicalExtents(EXTENTS_CS_STORED);
    EXPECT_EQ(extents.transform(CQoProjectInfo::DatabaseCoordinateSystem()), MERIQ_OK);
    return boundsOf(extents);
}

// The points through PROJ's command-line tool, in its output axis order
// (latitude first for EPSG:4326).
std::vector<std::pair<double, double>> cs2cs(const std::string& from, const std::string& to,
                                             const std::vector<std::pair<double, double>>& points) {
    std::ostringstream command;
    command.precision(17);
    command << "printf '";
    for (const auto& [a, b] : points) command << a << ' ' << b << "\\n";
    command << "' | cs2cs -d 12 " << from << ' ' << to;
    std::vector<std::pair<double, double>> out;
    if (FILE* pipe = popen(command.str().c_str(), "r")) {
        for (double a, b, z; std::fscanf(pipe, "%lf %lf %lf", &a, &b, &z) == 3;) out.emplace_back(a, b);
        pclose(pipe);
    }
    EXPECT_EQ(out.size(), points.size()) << "cs2cs (Debian proj-bin) is needed: " << command.str();
    return out;
}

class WorkspaceTest : public SampleProjectTest {};

TEST_P(WorkspaceTest, AreasComeWithTheirExtentsInTheirOwnSystem) {
    const struct {
        const char* name;
        const char* crs;
        Box stored;
    } cases[] = {
        {"Bay South UTM", "EPSG:32615", {3273000, 3253000, 350000, 325000}},
        {"North Block", "EPSG:4326", {29.85, 29.60, -94.15, -94.65}},
        {"Dateline", "EPSG:4326", {51.70, 51.20, -179.50, 179.50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CQoAoiItemData> item(CQoProjectInfo::Aoi(c.name));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Name(), c.name);
        EXPECT_EQ(item->Extents().getCoordSys().GetDefinition(), c.crs);
        const Box b = boundsOf(item->Extents());
        EXPECT_EQ(b.north, c.stored.north);
        EXPECT_EQ(b.south, c.stored.south);
        EXPECT_EQ(b.east, c.stored.east);
        EXPECT_EQ(b.west, c.stored.west);
    }
    for (const char* none : {"", "bay south utm", "Nowhere"}) EXPECT_EQ(CQoProjectInfo::Aoi(none), nullptr) << none;
    EXPECT_EQ(CQoProjectInfo::Aoi(nullptr), nullptr);

    // An area that names no system is in the database's.
    CTeskProject& project = CTeskProject::Current();
    tesk::project::Descriptor d = project.GetDescriptor();
    d.areas.push_back({"Plain", "Plain", "", 29.7, 29.5, -94.3, -94.5});
    project.SaveDescriptor(d);
    std::unique_ptr<CQoAoiItemData> plain(CQoProjectInfo::Aoi("Plain"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->Extents().getCoordSys(), CQoProjectInfo::DatabaseCoordinateSystem());
}

TEST_P(WorkspaceTest, CoordinateSystemsOutliveTheProject) {
    const CoordSys& database = CQoProjectInfo::DatabaseCoordinateSystem();
    const CoordSys& display = CQoProjectInfo::DisplayCoordinateSystem();
    EXPECT_EQ(database.GetDefinition(), "EPSG:4326");
    EXPECT_TRUE(database.IsGeographic());
    EXPECT_EQ(display.GetDefinition(), "EPSG:32615");
    EXPECT_EQ(display.GetMapSizeUnit(), MAP_SIZE_UNITS_METERS);
    EXPECT_EQ(&database, &CQoProjectInfo::DatabaseCoordinateSystem());

    const std::string path = CQoProjectInfo::Path();
    CTeskProject::Close();
    EXPECT_EQ(database.GetName(), "WGS 84");  // still there
    CTeskProject::Open(path);
    EXPECT_EQ(&display, &CQoProjectInfo::DisplayCoordinateSystem());
}

TEST_P(WorkspaceTest, LogicalExtentsAreTheMapWindowOrElseTheWells) {
    const MapExtents stored = CQoProjectInfo::LogicalExtents(EXTENTS_CS_STORED);
    EXPECT_EQ(stored.getCoordSys().GetDefinition(), "EPSG:32615");
    EXPECT_EQ(boundsOf(stored).north, 3303500);

    MapExtents expected = stored;
    ASSERT_EQ(expected.transform(CoordSys("EPSG:4326")), MERIQ_OK);
    const MapExtents database = CQoProjectInfo::LogicalExtents(EXTENTS_CS_DATABASE);
    EXPECT_EQ(database.getCoordSys().GetDefinition(), "EPSG:4326");
    EXPECT_DOUBLE_EQ(boundsOf(database).west, boundsOf(expected).west);
    EXPECT_EQ(CQoProjectInfo::LogicalExtents(EXTENTS_CS_DISPLAY).getCoordSys().GetDefinition(), "EPSG:32615");
    EXPECT_EQ(CQoProjectInfo::LogicalExtents(9).getCoordSys().GetDefinition(), "EPSG:32615");

    // An unknown area name gives the map window, in database coordinates.
    const Box window = extentsInDatabaseCoordinates("Nowhere");
    EXPECT_DOUBLE_EQ(window.north, boundsOf(expected).north);

    // Without a window in the descriptor: the box of the wells.
    tesk::project::Descriptor d = CTeskProject::Current().GetDescriptor();
    d.logicalExtents = {};
    CTeskProject::Current().SaveDescriptor(d);
    const MapExtents wells = CQoProjectInfo::LogicalExtents(EXTENTS_CS_STORED);
    EXPECT_EQ(wells.getCoordSys().GetDefinition(), "EPSG:4326");
    const Box b = boundsOf(wells);
    EXPECT_NEAR(b.north, std::stod(scalar("SELECT MAX(\"Lat\") FROM \"WellHeader\"")), 1e-9);
    EXPECT_NEAR(b.west, std::stod(scalar("SELECT MIN(\"Lng\") FROM \"WellHeader\"")), 1e-9);

    db().ExecuteSQL("DELETE FROM \"WellHeader\"");
    EXPECT_TRUE(CQoProjectInfo::LogicalExtents(EXTENTS_CS_DATABASE).isEmpty());
}

// The box of a projected area in geographic database coordinates: the box's
// extremes lie at its corners here (its edges bend monotonically), so the
// densified transform must agree with cs2cs on the corners.
TEST_P(WorkspaceTest, ProjectedAreaInDatabaseCoordinatesAgreesWithCs2cs) {
    const Box b = extentsInDatabaseCoordinates("Bay South UTM");
    const auto corners = cs2cs("EPSG:32615", "EPSG:4326",
                               {{325000, 3253000}, {325000, 3273000}, {350000, 3253000}, {350000, 3273000}});
    ASSERT_EQ(corners.size(), 4u);
    Box expected{-90, 90, -180, 180};
    for (const auto& [lat, lon] : corners) {
        expected.north = std::max(expected.north, lat);
        expected.south = std::min(expected.south, lat);
        expected.east = std::max(expected.east, lon);
        expected.west = std::min(expected.west, lon);
    }
    EXPECT_NEAR(b.north, expected.north, 1e-9);
    EXPECT_NEAR(b.south, expected.south, 1e-9);
    EXPECT_NEAR(b.east, expected.east, 1e-9);
    EXPECT_NEAR(b.west, expected.west, 1e-9);
}

// And the other way: a geographic area in a database kept in US survey feet.
TEST_P(WorkspaceTest, GeographicAreaInProjectedDatabaseCoordinatesAgreesWithCs2cs) {
    tesk::sample::SampleOptions options;
    options.wellCount = 8;
    options.databaseCrs = "EPSG:2278";
    if (GetParam() == EngineKind::Postgres) options.odbcConnect = std::getenv("TESK_TEST_PG");
    tesk::sample::CreateSampleProject(m_dir.path() / "feet", options);
    ASSERT_EQ(CQoProjectInfo::DatabaseCoordinateSystem().GetMapSizeUnit(), MAP_SIZE_UNITS_FEET);

    const Box b = extentsInDatabaseCoordinates("Galveston Bay");
    const auto corners = cs2cs("EPSG:4326", "EPSG:2278",
                               {{29.35, -94.65}, {29.85, -94.65}, {29.35, -94.15}, {29.85, -94.15}});
    ASSERT_EQ(corners.size(), 4u);
    Box expected{-1e300, 1e300, -1e300, 1e300};
    for (const auto& [x, y] : corners) {
        expected.north = std::max(expected.north, y);
        expected.south = std::min(expected.south, y);
        expected.east = std::max(expected.east, x);
        expected.west = std::min(expected.west, x);
    }
    const double millimetre = 0.001 * 3937 / 1200;  // in US survey feet
    EXPECT_NEAR(b.north, expected.north, millimetre);
    EXPECT_NEAR(b.south, expected.south, millimetre);
    EXPECT_NEAR(b.east, expected.east, millimetre);
    EXPECT_NEAR(b.west, expected.west, millimetre);
}

INSTANTIATE_TEST_SUITE_P(Engines, WorkspaceTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
