#include "services/TeskUniversalLoader/SurveyBlob.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace tesk::survey {

namespace {

constexpr uint8_t kMagic[4] = {'T', 'K', 'S', 'V'};

void putLE(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t getLE(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

void putDouble(std::vector<uint8_t>& out, double d) { putLE(out, std::bit_cast<uint64_t>(d), 8); }
double getDouble(const uint8_t* p) { return std::bit_cast<double>(getLE(p, 8)); }

bool finite(const Point& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.tvd) && std::isfinite(p.md);
}

bool validAngles(const PointAngles& a) {
    return std::isfinite(a.azimuth) && a.inclination >= 0.0 && a.inclination <= 180.0;
}

} // namespace

bool IsEncodable(const Points& points) {
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        if (!finite(p)) return false;
        if (i > 0 && p.md < points[i - 1].md) return false;
    }
    return true;
}

std::vector<uint8_t> EncodeSurveyBlob(const Points& points, const std::vector<PointAngles>& angles) {
    bool withAngles = !points.empty() && angles.size() == points.size();
    for (size_t i = 0; withAngles && i < angles.size(); ++i) withAngles = validAngles(angles[i]);
    std::vector<uint8_t> out;
    out.reserve(kSurveyBlobHeaderSize +
                (withAngles ? kSurveyBlobPointWithAnglesSize : kSurveyBlobPointSize) * points.size());
    for (uint8_t b : kMagic) out.push_back(b);
    putLE(out, kSurveyBlobVersion, 2);
    putLE(out, withAngles ? kSurveyBlobFlagAngles : 0, 2);
    putLE(out, points.size(), 4);
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        putDouble(out, p.x);
        putDouble(out, p.y);
        putDouble(out, p.tvd);
        putDouble(out, p.md);
        if (withAngles) {
            putDouble(out, angles[i].inclination);
            putDouble(out, angles[i].azimuth);
        }
    }
    return out;
}

bool DecodeSurveyBlob(const uint8_t* data, size_t size, Points& out, std::vector<PointAngles>* angles) {
    out.clear();
    if (angles) angles->clear();
    if (size == 0) return true;
    if (data == nullptr || size < kSurveyBlobHeaderSize) return false;
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return false;
    const uint64_t version = getLE(data + 4, 2);
    const uint64_t flags = getLE(data + 6, 2);
    if (version == 1) {
        if (flags != 0) return false;
    } else if (version == 2) {
        if ((flags & ~uint64_t{kSurveyBlobFlagAngles}) != 0) return false;
    } else {
        return false;
    }
    const bool withAngles = (flags & kSurveyBlobFlagAngles) != 0;
    const size_t pointSize = withAngles ? kSurveyBlobPointWithAnglesSize : kSurveyBlobPointSize;
    const uint64_t count = getLE(data + 8, 4);
    const size_t body = size - kSurveyBlobHeaderSize;
    // Division rather than multiplication: a count near 2^32 cannot overflow.
    if (body % pointSize != 0 || body / pointSize != count) return false;

    Points points;
    std::vector<PointAngles> directions;
    points.reserve(static_cast<size_t>(count));
    if (withAngles) directions.reserve(static_cast<size_t>(count));
    const uint8_t* p = data + kSurveyBlobHeaderSize;
    for (uint64_t i = 0; i < count; ++i, p += pointSize) {
        const Point pt{getDouble(p), getDouble(p + 8), getDouble(p + 16), getDouble(p + 24)};
        if (!finite(pt)) return false;
        if (!points.empty() && pt.md < points.back().md) return false;
        points.push_back(pt);
        if (withAngles) {
            const PointAngles a{getDouble(p + 32), getDouble(p + 40)};
            if (!validAngles(a)) return false;
            directions.push_back(a);
        }
    }
    out = std::move(points);
    if (angles) *angles = std::move(directions);
    return true;
}

std::vector<uint8_t> EncodeSurveyBlob(const CTeskSurveyPts& pts) {
    Points points;
    std::vector<PointAngles> angles;
    pts.GetPoints(points, &angles);
    return EncodeSurveyBlob(points, angles);
}

bool DecodeSurveyBlob(const uint8_t* data, size_t size, CTeskSurveyPts& pts) {
    Points points;
    std::vector<PointAngles> angles;
    if (!DecodeSurveyBlob(data, size, points, &angles)) return false;
    pts.SetPoints(points, angles);
    return true;
}

} // namespace tesk::survey
