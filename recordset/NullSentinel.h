#pragma once
// The value that stands for a missing real number in the project's record sets.

namespace TeskDataProvider {
inline constexpr double kNullSentinel = -9.123e19;
inline constexpr float kNullSentinelSingle = static_cast<float>(kNullSentinel);
}
