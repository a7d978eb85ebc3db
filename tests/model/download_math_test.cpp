#include "model/download_math.h"

#include <gtest/gtest.h>

namespace {

TEST(DownloadMath, ElapsedSecondsRoundUpToHalfMinutes) {
  const struct {
    std::uint32_t ms;
    int seconds;
  } cases[] = {{0, 0}, {400, 0}, {999, 0}, {1000, 30}, {30000, 30}, {30999, 30}, {31000, 60}, {45000, 60},
               {60000, 60}, {61000, 90}, {0xFFFFFFFFu, 4294980}};
  for (const auto& c : cases) EXPECT_EQ(model::elapsedSeconds(c.ms), c.seconds) << c.ms;
}

TEST(DownloadMath, TotalsWithoutAnnouncedLength) {
  EXPECT_EQ(model::progressTotal(5, 1000), 1000);
  EXPECT_EQ(model::progressTotal(0, -1), 300000000);
  EXPECT_EQ(model::progressTotal(299999999, -1), 300000000);
  EXPECT_EQ(model::progressTotal(300000000, -1), 300001024);
  EXPECT_EQ(model::progressTotal(400000000, -1), 400001024);
}

TEST(DownloadMath, PercentTruncates) {
  EXPECT_EQ(model::progressPercent(150000000, 300000000), 50);
  EXPECT_EQ(model::progressPercent(2, 3), 66);
  EXPECT_EQ(model::progressPercent(400000000, 400001024), 99);
  EXPECT_EQ(model::progressPercent(1, 0), 0);
  EXPECT_EQ(model::progressPercent(2000000000, 2000000000), 100);  // no 32-bit overflow
}

TEST(DownloadMath, ProgressAtMostOncePerSecond) {
  EXPECT_TRUE(model::progressDue(5000, 0));
  EXPECT_FALSE(model::progressDue(5999, 5000));
  EXPECT_TRUE(model::progressDue(6000, 5000));
}

}  // namespace
