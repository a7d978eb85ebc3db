#include "utility/task_dispatcher.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/support/message_pump.h"
#include "tests/utility/counting_task.h"

namespace {

using utility::TaskDispatcher;
using zxtest::countingTask;
using zxtest::pumpUntil;
using zxtest::TaskCounters;

TaskDispatcher* dispatcher() { return TaskDispatcher::instance(); }

// The dispatcher's window belongs to the thread that creates it: the test thread, which pumps.
class TaskDispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(TaskDispatcher::create()->window(), nullptr); }
};

TEST_F(TaskDispatcherTest, PostsRunOnTheWindowThreadInOrder) {
  int owner = 0;
  std::vector<int> order;
  DWORD windowThread = GetCurrentThreadId();
  std::atomic<DWORD> ranOn{0};
  for (int i = 0; i < 5; ++i) dispatcher()->post(&owner, utility::makeTask([&order, i] { order.push_back(i); }));
  std::thread other([&] { dispatcher()->post(&owner, utility::makeTask([&] { ranOn = GetCurrentThreadId(); })); });
  other.join();
  ASSERT_TRUE(pumpUntil([&] { return ranOn != 0; }));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(ranOn.load(), windowThread);
}

TEST_F(TaskDispatcherTest, CancelledOwnerTasksAreReleasedUnrunOthersRun) {
  int cancelled = 0;
  int other = 0;
  TaskCounters dropped, kept;
  dispatcher()->post(&cancelled, countingTask(dropped));
  dispatcher()->post(&cancelled, countingTask(dropped));
  dispatcher()->post(&other, countingTask(kept));
  dispatcher()->cancel(&cancelled);
  ASSERT_TRUE(pumpUntil([&] { return dropped.releases == 2 && kept.releases == 1; }));
  EXPECT_EQ(dropped.runs, 0);
  EXPECT_EQ(kept.runs, 1);
}

TEST_F(TaskDispatcherTest, PostAfterCancelRunsButQueuedBeforeDoesNot) {
  int owner = 0;
  TaskCounters before, after;
  dispatcher()->post(&owner, countingTask(before));
  dispatcher()->cancel(&owner);
  // Still queued behind the cancelled one: it must run, the earlier one must not.
  dispatcher()->post(&owner, countingTask(after));
  ASSERT_TRUE(pumpUntil([&] { return before.releases == 1 && after.releases == 1; }));
  EXPECT_EQ(before.runs, 0);
  EXPECT_EQ(after.runs, 1);
}

TEST_F(TaskDispatcherTest, CancelFromAWorkerWhileItKeepsPosting) {
  int owner = 0;
  TaskCounters counters;
  std::atomic<bool> cancelledNow{false};
  std::atomic<int> ranAfterCancel{0};
  std::thread worker([&] {
    for (int i = 0; i < 200; ++i) dispatcher()->post(&owner, countingTask(counters, [&] {
      if (cancelledNow) ++ranAfterCancel;
    }));
  });
  worker.join();
  dispatcher()->cancel(&owner);
  cancelledNow = true;
  ASSERT_TRUE(pumpUntil([&] { return counters.releases == 200; }));
  EXPECT_EQ(counters.runs, 0);
  EXPECT_EQ(ranAfterCancel, 0);
}

TEST_F(TaskDispatcherTest, PostFunctionRuns) {
  bool ran = false;
  dispatcher()->postFunction([&] { ran = true; });
  EXPECT_TRUE(pumpUntil([&] { return ran; }));
}

TEST_F(TaskDispatcherTest, TimerRepeatsUntilKilled) {
  TaskCounters counters;
  UINT id = dispatcher()->setTimer(20, countingTask(counters));
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(pumpUntil([&] { return counters.runs >= 3; }));
  dispatcher()->killTimer(id);
  EXPECT_EQ(counters.releases, 1);
  int runs = counters.runs;
  zxtest::pumpFor(100);
  EXPECT_EQ(counters.runs, runs);
  dispatcher()->killTimer(id);  // unknown by now: nothing happens
  EXPECT_EQ(counters.releases, 1);
}

TEST_F(TaskDispatcherTest, TimerKillingItselfIsReleasedAfterItsRun) {
  TaskCounters counters;
  UINT id = 0;
  int releasesSeenInsideRun = -1;
  id = dispatcher()->setTimer(10, countingTask(counters, [&] {
    dispatcher()->killTimer(id);
    releasesSeenInsideRun = counters.releases;  // still alive here
  }));
  ASSERT_TRUE(pumpUntil([&] { return counters.releases == 1; }));
  EXPECT_EQ(releasesSeenInsideRun, 0);
  zxtest::pumpFor(60);
  EXPECT_EQ(counters.runs, 1);
}

TEST_F(TaskDispatcherTest, TimerIdsAreDistinct) {
  TaskCounters a, b;
  UINT first = dispatcher()->setTimer(1000, countingTask(a));
  UINT second = dispatcher()->setTimer(1000, countingTask(b));
  EXPECT_NE(first, second);
  dispatcher()->killTimer(first);
  dispatcher()->killTimer(second);
  EXPECT_EQ(a.releases + b.releases, 2);
}

}  // namespace
