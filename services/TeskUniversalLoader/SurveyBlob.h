#pragma once
// The survey blob stored with each well ("Survey Points"): its wellbore points
// in a small versioned binary layout, little-endian throughout.
//
//   offset  size  content
//   0       4     magic "TKSV"
//   4       2     layout version, 1
//   6       2     reserved, 0
//   8       4     point count n (unsigned)
//   12      32*n  per point: x offset, y offset, TVD, MD (IEEE 754 doubles)
//
// A blob is accepted only when it is exactly 12 + 32*n bytes long, every value
// is finite and MD never decreases. Anything else (short, truncated, garbled,
// another version) is rejected whole; the decoder never reads past the end.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "services/TeskUniversalLoader/SurveyTypes.h"

namespace tesk::survey {

inline constexpr uint16_t kSurveyBlobVersion = 1;
inline constexpr size_t kSurveyBlobHeaderSize = 12;
inline constexpr size_t kSurveyBlobPointSize = 32;

std::vector<uint8_t> EncodeSurveyBlob(const Points& points);

// False, with `out` emptied, for a blob that is not a valid survey. An empty
// blob is a valid survey without points.
bool DecodeSurveyBlob(const uint8_t* data, size_t size, Points& out);
inline bool DecodeSurveyBlob(const std::vector<uint8_t>& blob, Points& out) {
    return DecodeSurveyBlob(blob.data(), blob.size(), out);
}

} // namespace tesk::survey
