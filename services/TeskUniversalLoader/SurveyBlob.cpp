#include "services/TeskUniversalLoader/SurveyBlob.h"

#include <bit>
#include <cmath>
#include <cstring>

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

} // namespace

std::vector<uint8_t> EncodeSurveyBlob(const Points& points) {
    std::vector<uint8_t> out;
    out.reserve(kSurveyBlobHeaderSize + kSurveyBlobPointSize * points.size());
    for (uint8_t b : kMagic) out.push_back(b);
    putLE(out, kSurveyBlobVersion, 2);
    putLE(out, 0, 2);
    putLE(out, points.size(), 4);
    for (const Point& p : points) {
        putDouble(out, p.x);
        putDouble(out, p.y);
        putDouble(out, p.tvd);
        putDouble(out, p.md);
    }
    return out;
}

bool DecodeSurveyBlob(const uint8_t* data, size_t size, Points& out) {
    out.clear();
    if (size == 0) return true;
    if (data == nullptr || size < kSurveyBlobHeaderSize) return false;
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return false;
    if (getLE(data + 4, 2) != kSurveyBlobVersion) return false;
    const uint64_t count = getLE(data + 8, 4);
    if ((size - kSurveyBlobHeaderSize) % kSurveyBlobPointSize != 0 ||
        (size - kSurveyBlobHeaderSize) / kSurveyBlobPointSize != count)
        return false;
    Points points;
    points.reserve(static_cast<size_t>(count));
    const uint8_t* p = data + kSurveyBlobHeaderSize;
    for (uint64_t i = 0; i < count; ++i, p += kSurveyBlobPointSize) {
        const Point pt{getDouble(p), getDouble(p + 8), getDouble(p + 16), getDouble(p + 24)};
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y) || !std::isfinite(pt.tvd) || !std::isfinite(pt.md))
            return false;
        if (!points.empty() && pt.md < points.back().md) return false;
        points.push_back(pt);
    }
    out = std::move(points);
    return true;
}

} // namespace tesk::survey
