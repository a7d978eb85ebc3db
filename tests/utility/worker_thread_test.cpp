#include "utility/worker_thread.h"

#include <gtest/gtest.h>

#include "tests/utility/counting_task.h"

namespace {

using zxtest::countingTask;
using zxtest::TaskCounters;

TEST(WorkerThread, RunsTheTaskOnItsOwnThreadAndReleasesItOnStop) {
  TaskCounters counters;
  std::atomic<DWORD> ranOn{0};
  utility::WorkerThread worker;
  auto task = countingTask(counters, [&] { ranOn = GetCurrentThreadId(); });
  ASSERT_TRUE(worker.start(task));
  EXPECT_FALSE(task);
  worker.stop(INFINITE);
  EXPECT_EQ(counters.runs, 1);
  EXPECT_EQ(counters.releases, 1);
  EXPECT_NE(ranOn.load(), GetCurrentThreadId());
}

TEST(WorkerThread, StartOnABusyOrFinishedObjectFailsAndLeavesTheTaskWithTheCaller) {
  TaskCounters first, second;
  utility::WorkerThread worker;
  auto task = countingTask(first);
  ASSERT_TRUE(worker.start(task));
  Sleep(50);  // finished, not stopped: still refuses
  auto refused = countingTask(second);
  EXPECT_FALSE(worker.start(refused));
  ASSERT_TRUE(refused);
  worker.stop(INFINITE);
  EXPECT_EQ(second.runs, 0);
  // After stop the object starts again, with the task it refused before.
  EXPECT_TRUE(worker.start(refused));
  worker.stop(INFINITE);
  EXPECT_EQ(second.runs, 1);
  EXPECT_EQ(second.releases, 1);
}

TEST(WorkerThread, RequestStopWakesAnInterruptibleSleep) {
  utility::WorkerThread worker;
  std::atomic<bool> sleptToEnd{true};
  std::atomic<bool> started{false};
  auto task = utility::makeTask([&] {
    started = true;
    sleptToEnd = worker.sleep(10000);
  });
  ASSERT_TRUE(worker.start(task));
  while (!started) Sleep(1);
  DWORD begin = GetTickCount();
  worker.requestStop();
  worker.stop(5000);
  EXPECT_LT(GetTickCount() - begin, 2000u);
  EXPECT_FALSE(sleptToEnd);
  EXPECT_TRUE(worker.stopRequested());
}

TEST(WorkerThread, StopTerminatesAThreadThatIgnoresItsStopSignal) {
  TaskCounters counters;
  std::atomic<DWORD> threadId{0};
  utility::WorkerThread worker;
  auto task = countingTask(counters, [&] {
    threadId = GetCurrentThreadId();
    for (;;) Sleep(10);
  });
  ASSERT_TRUE(worker.start(task));
  while (threadId == 0) Sleep(1);
  utility::UniqueKernelHandle thread(OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, threadId));
  ASSERT_TRUE(thread);
  worker.requestStop();
  DWORD begin = GetTickCount();
  worker.stop(300);
  DWORD took = GetTickCount() - begin;
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 3000u);
  ASSERT_EQ(WaitForSingleObject(thread.get(), 2000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeThread(thread.get(), &exitCode);
  EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
  EXPECT_EQ(counters.releases, 1);
  EXPECT_FALSE(worker.running());
}

}  // namespace
