#pragma once
// The survey blob stored with each well ("Survey Points"): its wellbore points
// in a small versioned binary layout, little-endian throughout.
//
//   offset  size  content
//   0       4     magic "TKSV"
//   4       2     layout version: 1 or 2
//   6       2     flags; version 1: 0; version 2: bit 0 set when every point
//                 carries its station angles, other bits 0
//   8       4     point count n (unsigned)
//   12      s*n   per point: x offset, y offset, TVD, MD, then with the angle
//                 flag inclination and azimuth (IEEE 754 doubles, degrees);
//                 s is 32 without angles and 48 with them
//
// The encoder writes version 2. A blob is accepted only when it is exactly
// 12 + s*n bytes long, every value is finite, MD never decreases and every
// inclination lies in [0, 180]. Anything else (short, truncated, garbled,
// unknown version or flags) is rejected whole; the decoder never reads past
// the end.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "services/TeskUniversalLoader/SurveyTypes.h"

class CTeskSurveyPts;

namespace tesk::survey {

inline constexpr uint16_t kSurveyBlobVersion = 2;
inline constexpr uint16_t kSurveyBlobFlagAngles = 1;
inline constexpr size_t kSurveyBlobHeaderSize = 12;
inline constexpr size_t kSurveyBlobPointSize = 32;
inline constexpr size_t kSurveyBlobPointWithAnglesSize = 48;

// True when every value is finite and MD never decreases: the blob of these
// points decodes again.
bool IsEncodable(const Points& points);

// `angles` is empty or holds one entry per point; angles that could not be
// decoded again (not finite, inclination outside [0, 180]) are left out.
std::vector<uint8_t> EncodeSurveyBlob(const Points& points, const std::vector<PointAngles>& angles = {});

// False, with `out` (and `angles`) emptied, for a blob that is not a valid
// survey. An empty blob is a valid survey without points. `angles`, when
// given, receives one entry per point when the blob carries angles and is
// emptied otherwise.
bool DecodeSurveyBlob(const uint8_t* data, size_t size, Points& out, std::vector<PointAngles>* angles = nullptr);
inline bool DecodeSurveyBlob(const std::vector<uint8_t>& blob, Points& out,
                             std::vector<PointAngles>* angles = nullptr) {
    return DecodeSurveyBlob(blob.data(), blob.size(), out, angles);
}

// The same for a point set: its points, with their angles when every point
// has them. Decoding fills an empty set and leaves it empty on failure.
std::vector<uint8_t> EncodeSurveyBlob(const CTeskSurveyPts& pts);
bool DecodeSurveyBlob(const uint8_t* data, size_t size, CTeskSurveyPts& pts);

} // namespace tesk::survey
