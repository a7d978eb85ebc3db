#include "utility/background_job.h"

#include <gtest/gtest.h>

#include "tests/support/message_pump.h"
#include "utility/task_dispatcher.h"

namespace {

TEST(BackgroundJob, RunsOffTheWindowThreadAndReportsBack) {
  utility::TaskDispatcher::create();
  std::atomic<DWORD> ranOn{0};
  std::atomic<int> finished{0};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(utility::startBackgroundJob([&] {
      Sleep(50);
      ranOn = GetCurrentThreadId();
      ++finished;
    }));
  }
  EXPECT_EQ(utility::runningBackgroundJobs(), 3);
  ASSERT_TRUE(zxtest::pumpUntil([] { return utility::runningBackgroundJobs() == 0; }));
  EXPECT_EQ(finished, 3);
  EXPECT_NE(ranOn.load(), GetCurrentThreadId());
}

TEST(BackgroundJob, AnExceptionInTheBodyStillReportsBack) {
  utility::TaskDispatcher::create();
  ASSERT_TRUE(utility::startBackgroundJob([] { throw 42; }));
  EXPECT_TRUE(zxtest::pumpUntil([] { return utility::runningBackgroundJobs() == 0; }));
}

}  // namespace
