// The coordinate classes: units, coordinate systems PROJ can and cannot
// build, point offsets in projected and geographic systems, and boxes
// transformed along their edges, across the 180th meridian too.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "services/Meriq10/CoordSys.h"
#include "services/Meriq10/LengthUnit.h"
#include "services/Meriq10/MapExtents.h"
#include "services/Meriq10/MeriqErrors.h"
#include "support/Extents.h"
#include "services/project/CrsTransform.h"

using tesk::test::Box;
using tesk::test::boundsOf;

namespace {

constexpr double kDeg = std::numbers::pi / 180;

TEST(CoordinatesTest, LengthUnitsAndCoordinateSystemsDescribeThemselves) {
    EXPECT_DOUBLE_EQ(LengthUnit(MAP_SIZE_UNITS_FEET).MetresPerUnit(), 0.3048);
    EXPECT_DOUBLE_EQ(LengthUnit(2).MetresPerUnit(), 1.0);
    EXPECT_DOUBLE_EQ(LengthUnit().MetresPerUnit(), 1.0);
    EXPECT_FALSE(LengthUnit(0).IsValid());
    EXPECT_FALSE(LengthUnit(7).IsValid());

    const struct {
        const char* definition;
        bool valid, geographic, projected;
        MapSizeUnits unit;
        double metres;  // per unit of a projected system's axes
    } cases[] = {
        {"EPSG:4326", true, true, false, MAP_SIZE_UNITS_NONE, 0},
        {"EPSG:4979", true, true, false, MAP_SIZE_UNITS_NONE, 0},  // 3D
        {"EPSG:32615", true, false, true, MAP_SIZE_UNITS_METERS, 1},
        {"EPSG:2278", true, false, true, MAP_SIZE_UNITS_FEET, 1200.0 / 3937},  // US survey feet
        {"EPSG:32615+5703", true, false, true, MAP_SIZE_UNITS_METERS, 1},     // compound: its horizontal part
        {"+proj=utm +zone=15 +ellps=GRS80 +units=ft +type=crs", true, false, true, MAP_SIZE_UNITS_FEET, 0.3048},
        {"EPSG:4978", true, false, false, MAP_SIZE_UNITS_NONE, 0},  // geocentric
        {"EPSG:999999", false, false, false, MAP_SIZE_UNITS_NONE, 0},
        {"not a system", false, false, false, MAP_SIZE_UNITS_NONE, 0},
        {"", false, false, false, MAP_SIZE_UNITS_NONE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.definition);
        const CoordSys cs(c.definition);
        EXPECT_EQ(cs.IsValid(), c.valid);
        EXPECT_EQ(cs.IsGeographic(), c.geographic);
        EXPECT_EQ(cs.IsProjected(), c.projected);
        EXPECT_EQ(cs.GetMapSizeUnit(), c.unit);
        EXPECT_NEAR(cs.GetLinearUnitMetres(), c.metres, 1e-12);
        EXPECT_EQ(cs.GetDefinition(), c.definition);
        EXPECT_EQ(cs.GetName().empty(), !c.valid);
    }
    EXPECT_EQ(&CoordSys::Shared("EPSG:32615"), &CoordSys::Shared("EPSG:32615"));
}

TEST(CoordinatesTest, ProjectedOffsetsAreConvertedIntoTheSystemsOwnUnit) {
    const struct {
        const char* crs;
        MapSizeUnits unit;
        double xOffset, yOffset;
        double dx, dy;  // expected movement in the system's unit
    } cases[] = {
        {"EPSG:32615", MAP_SIZE_UNITS_METERS, 120.5, -40, 120.5, -40},
        {"EPSG:32615", MAP_SIZE_UNITS_FEET, 1000, 2000, 304.8, 609.6},
        {"EPSG:2278", MAP_SIZE_UNITS_METERS, 1200, -3937, 3937, -3937 * 3937 / 1200.0},  // to US survey feet
        {"EPSG:2278", MAP_SIZE_UNITS_FEET, 1000, 0, 999.998, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.crs) + " " + LengthUnit(c.unit).GetAbbreviation());
        double x = 0, y = 0;
        ASSERT_EQ(CoordSys(c.crs).OffsetPoint(500000, 3250000, c.xOffset, c.yOffset, LengthUnit(c.unit), x, y),
                  MERIQ_OK);
        EXPECT_NEAR(x - 500000, c.dx, 1e-6);
        EXPECT_NEAR(y - 3250000, c.dy, 1e-6);
    }
}

TEST(CoordinatesTest, GeographicOffsetsFollowTheEllipsoid) {
    const CoordSys wgs84("EPSG:4326");
    const double a = 6378137, f = 1 / 298.257223563, e2 = f * (2 - f);
    const double lat = 29.5, lon = -94.5, s = 1000;
    const double sin2 = std::sin(lat * kDeg) * std::sin(lat * kDeg);
    const double N = a / std::sqrt(1 - e2 * sin2);                 // prime-vertical radius
    const double M = a * (1 - e2) / std::pow(1 - e2 * sin2, 1.5);  // meridian radius
    const double dM =                                              // its change with latitude
        3 * a * (1 - e2) * e2 * std::sin(lat * kDeg) * std::cos(lat * kDeg) / std::pow(1 - e2 * sin2, 2.5);

    // A kilometre east: along the parallel to first order; the geodesic bends
    // towards the equator by s^2 tan(lat) / 2N.
    double x = 0, y = 0;
    ASSERT_EQ(wgs84.OffsetPoint(lon, lat, s, 0, LengthUnit(MAP_SIZE_UNITS_METERS), x, y), MERIQ_OK);
    EXPECT_NEAR(x, lon + s / (N * std::cos(lat * kDeg)) / kDeg, 1e-9);
    EXPECT_NEAR(y, lat - s * s * std::tan(lat * kDeg) / (2 * N * M) / kDeg, 1e-9);

    // A kilometre north, in feet: up the meridian, with the change of its radius.
    const double sf = s / 0.3048;
    ASSERT_EQ(wgs84.OffsetPoint(lon, lat, 0, sf, LengthUnit(MAP_SIZE_UNITS_FEET), x, y), MERIQ_OK);
    EXPECT_NEAR(x, lon, 1e-12);
    EXPECT_NEAR(y, lat + (s / M - s * s * dM / (2 * M * M * M)) / kDeg, 1e-10);

    // No offset: the point itself.
    ASSERT_EQ(wgs84.OffsetPoint(lon, lat, 0, 0, LengthUnit(), x, y), MERIQ_OK);
    EXPECT_EQ(x, lon);
    EXPECT_EQ(y, lat);

    // Eastwards over the 180th meridian the longitude comes back negative.
    ASSERT_EQ(wgs84.OffsetPoint(179.999, 51.5, 500, 0, LengthUnit(), x, y), MERIQ_OK);
    EXPECT_LT(x, -179.99);
    EXPECT_GT(x, -180);
}

TEST(CoordinatesTest, GeographicOffsetsAgreeWithProjsGeodTool) {
    // 30 km east and 40 km south: 50 km at an azimuth of about 143 degrees.
    const double lat = 29.5, lon = -94.5, east = 30000, north = -40000;
    const double azimuth = std::atan2(east, north) / kDeg;
    char command[160];
    std::snprintf(command, sizeof command, "echo '%.12f %.12f %.12f %.6f' | geod +ellps=WGS84 -f '%%.12f'", lat, lon,
                  azimuth, std::hypot(east, north));
    FILE* pipe = popen(command, "r");
    ASSERT_NE(pipe, nullptr);
    double lat2 = 0, lon2 = 0;
    const int read = std::fscanf(pipe, "%lf %lf", &lat2, &lon2);
    pclose(pipe);
    ASSERT_EQ(read, 2) << "geod (Debian proj-bin) is needed: " << command;

    double x = 0, y = 0;
    ASSERT_EQ(CoordSys("EPSG:4326").OffsetPoint(lon, lat, east, north, LengthUnit(MAP_SIZE_UNITS_METERS), x, y),
              MERIQ_OK);
    EXPECT_NEAR(x, lon2, 1e-9);
    EXPECT_NEAR(y, lat2, 1e-9);
}

TEST(CoordinatesTest, OffsetsThatCannotBeMadeAreErrorCodes) {
    const struct {
        const char* crs;
        double x, y;
        int unit;
        int expected;
    } cases[] = {
        {"no such system", 0, 0, 2, MERIQ_E_SOURCE_CS},
        {"EPSG:4326", -94.5, 29.5, 5, MERIQ_E_UNIT},
        {"EPSG:4326", -94.5, 91, 2, MERIQ_E_BAD_COORDINATES},
        {"EPSG:4326", NAN, 29.5, 2, MERIQ_E_BAD_COORDINATES},
        {"EPSG:32615", INFINITY, 0, 2, MERIQ_E_BAD_COORDINATES},
        {"EPSG:4978", 0, 0, 2, MERIQ_E_NOT_SUPPORTED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crs);
        double x = 42, y = 43;
        EXPECT_EQ(CoordSys(c.crs).OffsetPoint(c.x, c.y, 10, 10, LengthUnit(c.unit), x, y), c.expected);
        EXPECT_EQ(x, 42);  // untouched
        EXPECT_EQ(y, 43);
    }
}

TEST(CoordinatesTest, ExtentsAreValuesAndFailuresLeaveThemAlone) {
    const CoordSys utm("EPSG:32615");
    MapExtents a(utm, 3273000, 3253000, 350000, 325000);
    MapExtents b = a;
    ASSERT_EQ(b.transform(CoordSys("EPSG:4326")), MERIQ_OK);
    EXPECT_EQ(boundsOf(a).north, 3273000);  // the copy moved alone
    EXPECT_EQ(a.getCoordSys(), utm);
    EXPECT_TRUE(b.getCoordSys().IsGeographic());
    a = b;
    EXPECT_NEAR(boundsOf(a).north, boundsOf(b).north, 0);

    // Empty: transforms to empty, gives no bounds.
    MapExtents empty;
    double n = 1, s = 2, e = 3, w = 4;
    EXPECT_EQ(empty.getExtents(n, s, e, w), 0);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(empty.transform(CoordSys("EPSG:4326")), MERIQ_OK);
    EXPECT_TRUE(empty.isEmpty());

    const struct {
        const char* what;
        MapExtents extents;
        const char* target;
        int expected;
    } cases[] = {
        {"target unknown", MapExtents(utm, 3273000, 3253000, 350000, 325000), "EPSG:0", MERIQ_E_TARGET_CS},
        {"source unknown", MapExtents(CoordSys("nowhere"), 1, 0, 1, 0), "EPSG:4326", MERIQ_E_SOURCE_CS},
        {"no system at all", MapExtents(CoordSys(), 1, 0, 1, 0), "EPSG:4326", MERIQ_E_SOURCE_CS},
        {"NaN bound", MapExtents(utm, NAN, 3253000, 350000, 325000), "EPSG:4326", MERIQ_E_BAD_COORDINATES},
        {"south of north", MapExtents(utm, 3253000, 3273000, 350000, 325000), "EPSG:4326", MERIQ_E_BAD_COORDINATES},
        {"projected west east of east", MapExtents(utm, 3273000, 3253000, 325000, 350000), "EPSG:4326",
         MERIQ_E_BAD_COORDINATES},
        {"far outside the projection", MapExtents(utm, 3273000, 3253000, 1e13, 1e12), "EPSG:4326",
         MERIQ_E_TRANSFORM_FAILED},
        {"latitude beyond the pole", MapExtents(CoordSys("EPSG:4326"), 95, 29, -94, -95), "EPSG:32615",
         MERIQ_E_BAD_COORDINATES},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapExtents x = c.extents;
        const CoordSys before = x.getCoordSys();
        EXPECT_EQ(x.transform(CoordSys(c.target)), c.expected);
        EXPECT_EQ(x.getCoordSys(), before);
    }
}

TEST(CoordinatesTest, TransformFollowsTheEdgesNotOnlyTheCorners) {
    // A parallel is curved in a transverse Mercator projection, bowed towards
    // the equator on the zone's central meridian (-93 degrees): the south
    // edge of this box reaches furthest south halfway between its corners.
    MapExtents box(CoordSys("EPSG:4326"), 35, 25, -88, -98);
    ASSERT_EQ(box.transform(CoordSys("EPSG:32615")), MERIQ_OK);
    const Box b = boundsOf(box);
    const tesk::project::CrsTransform t("EPSG:4326", "EPSG:32615");
    double x = 0, cornerSouth = 1e300, middleSouth = 0;
    for (double lon : {-98.0, -88.0}) {
        double y = 0;
        ASSERT_TRUE(t.Point(lon, 25, x, y));
        cornerSouth = std::min(cornerSouth, y);
    }
    ASSERT_TRUE(t.Point(-93, 25, x, middleSouth));
    EXPECT_LT(middleSouth, cornerSouth - 1000);
    EXPECT_NEAR(b.south, middleSouth, 1e-6);
}

TEST(CoordinatesTest, BoxesAcrossTheDatelineStayNarrow) {
    const struct {
        const char* what;
        const char* from;
        Box in;
        const char* to;
        Box near;  // expected, within the tolerance
        double tolerance;
    } cases[] = {
        // Between two geographic systems PROJ alone turns this box inside out.
        {"WGS 84 to NAD83", "EPSG:4326", {51.7, 51.2, -179.5, 179.5}, "EPSG:4269", {51.7, 51.2, -179.5, 179.5}, 1e-4},
        {"unchanged system", "EPSG:4326", {51.7, 51.2, -179.5, 179.5}, "EPSG:4326", {51.7, 51.2, -179.5, 179.5}, 0},
        // UTM zone 60N reaches over the meridian.
        {"UTM 60N to WGS 84", "EPSG:32660", {5730000, 5670000, 780000, 700000}, "EPSG:4326",
         {51.685290900, 51.112947737, -178.951984014, 179.859500211}, 1e-8},
        // A Mercator centred on 150 degrees east: one degree of longitude wide.
        {"WGS 84 to Pacific Mercator", "EPSG:4326", {51.7, 51.2, -179.5, 179.5}, "EPSG:3832",
         {6712508.028539596, 6623426.821665487, 3395244.469194842, 3283924.978401570}, 1e-3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapExtents x(CoordSys(c.from), c.in.north, c.in.south, c.in.east, c.in.west);
        ASSERT_EQ(x.transform(CoordSys(c.to)), MERIQ_OK);
        const Box b = boundsOf(x);
        EXPECT_NEAR(b.north, c.near.north, c.tolerance);
        EXPECT_NEAR(b.south, c.near.south, c.tolerance);
        EXPECT_NEAR(b.east, c.near.east, c.tolerance);
        EXPECT_NEAR(b.west, c.near.west, c.tolerance);
        EXPECT_EQ(x.crossesDateline(), x.getCoordSys().IsGeographic());
    }
}

} // namespace
