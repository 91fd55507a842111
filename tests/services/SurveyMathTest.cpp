// Minimum-curvature positions and the survey blob codec.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "services/TeskUniversalLoader/MinimumCurvature.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"

using namespace tesk::survey;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(MinimumCurvature, StraightHoleHasTvdEqualToMdAndNoOffset) {
    const Points points = PointsFromStations({{0, 0, 0}, {500, 0, 0}, {1250.5, 0, 137}});
    ASSERT_EQ(points.size(), 3u);
    for (const Point& p : points) {
        EXPECT_DOUBLE_EQ(p.tvd, p.md);
        EXPECT_DOUBLE_EQ(p.x, 0);
        EXPECT_DOUBLE_EQ(p.y, 0);
    }
}

// A build from vertical to 10 degrees due east over 100 ft is an arc of
// radius 100/beta in the east-vertical plane.
TEST(MinimumCurvature, BuildSectionFollowsTheCircularArc) {
    const std::vector<Station> stations{{0, 0, 0}, {1000, 0, 0}, {1100, 10, 90}, {1300, 10, 90}};
    const Points points = PointsFromStations(stations);
    ASSERT_EQ(points.size(), 4u);
    const double beta = 10 * kDeg;
    const double radius = 100 / beta;
    EXPECT_NEAR(points[2].tvd, 1000 + radius * std::sin(beta), 1e-9);
    EXPECT_NEAR(points[2].x, radius * (1 - std::cos(beta)), 1e-9);
    EXPECT_NEAR(points[2].y, 0, 1e-9);
    // Then a straight tangent at 10 degrees.
    EXPECT_NEAR(points[3].tvd - points[2].tvd, 200 * std::cos(beta), 1e-9);
    EXPECT_NEAR(points[3].x - points[2].x, 200 * std::sin(beta), 1e-9);

    // Halfway along the arc the hole points at 5 degrees.
    Point mid;
    ASSERT_TRUE(PositionAtMd(stations, 1050, mid));
    EXPECT_NEAR(mid.tvd, 1000 + radius * std::sin(beta / 2), 1e-9);
    EXPECT_NEAR(mid.x, radius * (1 - std::cos(beta / 2)), 1e-9);

    // The inverse query lands on the same MD.
    const SurveyPath path(stations);
    double md = 0;
    ASSERT_TRUE(path.MdAtTvd(mid.tvd, md));
    EXPECT_NEAR(md, 1050, 1e-6);
    EXPECT_FALSE(path.MdAtTvd(points.back().tvd + 1, md));
    EXPECT_FALSE(path.AtMd(1300.01, mid));
}

TEST(MinimumCurvature, FirstStationBelowSurfaceGetsASurfacePoint) {
    const Points points = PointsFromStations({{300, 0, 0}, {400, 0, 0}});
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[0].md, 0);
    EXPECT_DOUBLE_EQ(points[1].tvd, 300);
    EXPECT_THROW(PointsFromStations({{0, 0, 0}, {100, 1, 0}, {100, 2, 0}}), std::invalid_argument);
}

TEST(SurveyBlob, RoundTripsPointsExactly) {
    const Points points{{0, 0, 0, 0}, {1.5, -2.25, 999.125, 1000}, {-1e-300, 3e10, 5000.0, 5100.75}};
    const std::vector<uint8_t> blob = EncodeSurveyBlob(points);
    ASSERT_EQ(blob.size(), kSurveyBlobHeaderSize + 3 * kSurveyBlobPointSize);
    EXPECT_EQ(std::memcmp(blob.data(), "TKSV\x01\x00\x00\x00\x03\x00\x00\x00", 12), 0);
    Points decoded;
    ASSERT_TRUE(DecodeSurveyBlob(blob, decoded));
    ASSERT_EQ(decoded.size(), 3u);
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(decoded[i].x, points[i].x);
        EXPECT_EQ(decoded[i].y, points[i].y);
        EXPECT_EQ(decoded[i].tvd, points[i].tvd);
        EXPECT_EQ(decoded[i].md, points[i].md);
    }
    EXPECT_TRUE(DecodeSurveyBlob({}, decoded));
    EXPECT_TRUE(decoded.empty());
}

TEST(SurveyBlob, RejectsDamagedBlobsWhole) {
    const std::vector<uint8_t> good = EncodeSurveyBlob({{0, 0, 0, 0}, {1, 2, 90, 100}});
    auto with = [&](auto change) {
        std::vector<uint8_t> b = good;
        change(b);
        return b;
    };
    const double nan = std::nan("");
    uint8_t nanBytes[8];
    std::memcpy(nanBytes, &nan, 8);
    const struct {
        const char* what;
        std::vector<uint8_t> blob;
    } cases[] = {
        {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 7)},
        {"last point cut short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"a trailing byte", with([](auto& b) { b.push_back(0); })},
        {"wrong magic", with([](auto& b) { b[0] = 'X'; })},
        {"another version", with([](auto& b) { b[4] = 2; })},
        {"count beyond the data", with([](auto& b) { b[8] = 3; })},
        {"count near 2^32", with([](auto& b) { b[11] = 0xFF; })},
        {"a NaN value", with([&](auto& b) { std::memcpy(b.data() + 12 + 32 + 16, nanBytes, 8); })},
        {"MD going back", with([](auto& b) { b[12 + 32 + 24 + 7] = 0x80; })},  // MD -100
        {"zeros", std::vector<uint8_t>(44, 0)},
    };
    for (const auto& c : cases) {
        Points out{{9, 9, 9, 9}};
        EXPECT_FALSE(DecodeSurveyBlob(c.blob, out)) << c.what;
        EXPECT_TRUE(out.empty()) << c.what;
    }
    // Decoding straight from a buffer of exactly the blob's size never reads past it.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[good.size() - 1]);
    std::memcpy(exact.get(), good.data(), good.size() - 1);
    Points out;
    EXPECT_FALSE(DecodeSurveyBlob(exact.get(), good.size() - 1, out));
}

} // namespace
