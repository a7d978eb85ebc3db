// The arithmetic of the package download's reports: elapsed time for analytics and the totals
// and percent shown while the file arrives.
#pragma once

#include <cstdint>

namespace model {

// Assumed package size when the server announces none.
inline constexpr std::int32_t kAssumedPackageBytes = 300000000;

// Whole seconds rounded up to a multiple of 30, the granularity the analytics reports use.
int elapsedSeconds(std::uint32_t elapsedMs);

// The total to show: the announced one, or the assumed size (stepping just ahead of received
// once a file outgrows it) when the server gave none (-1).
std::int32_t progressTotal(std::int32_t received, std::int32_t total);

// received * 100 / total, truncated; 0 when the total is not positive.
int progressPercent(std::int32_t received, std::int32_t total);

// True when a progress post is due: at most one per second, on the unsigned tick count.
bool progressDue(std::uint32_t now, std::uint32_t lastPostTick);

}  // namespace model
