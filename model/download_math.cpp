#include "model/download_math.h"

namespace model {

int elapsedSeconds(std::uint32_t elapsedMs) {
  std::uint32_t seconds = elapsedMs / 1000;
  return static_cast<int>((seconds + 29) / 30 * 30);
}

std::int32_t progressTotal(std::int32_t received, std::int32_t total) {
  if (total != -1) return total;
  return received >= kAssumedPackageBytes ? received + 1024 : kAssumedPackageBytes;
}

int progressPercent(std::int32_t received, std::int32_t total) {
  if (total <= 0) return 0;
  return static_cast<int>(static_cast<double>(received) * 100.0 / static_cast<double>(total));
}

bool progressDue(std::uint32_t now, std::uint32_t lastPostTick) {
  // Compared as the unsigned sum, like the tick count itself; a wrapped sum lets a post through.
  return now >= lastPostTick + 1000u;
}

}  // namespace model
