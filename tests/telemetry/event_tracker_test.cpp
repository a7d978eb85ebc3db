#include "telemetry/event_tracker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "tests/telemetry/fake_platform.h"

namespace {

using telemetry::EventTracker;

// The value of one query field ("" when absent).
std::wstring field(const std::wstring& url, const std::wstring& name) {
  size_t at = url.find(L"&" + name + L"=");
  if (at == std::wstring::npos) at = url.find(L"?" + name + L"=");
  if (at == std::wstring::npos) return L"<absent>";
  size_t begin = at + name.size() + 2;
  size_t end = url.find(L'&', begin);
  return url.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}

std::vector<std::wstring> labels(const std::vector<std::wstring>& urls) {
  std::vector<std::wstring> out;
  for (const std::wstring& url : urls) out.push_back(field(url, L"el"));
  return out;
}

class EventTrackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tracker = std::make_unique<EventTracker>(platform->hooks());
    tracker->setTrackingId(L"UA-123456789-1");
  }
  void TearDown() override {
    tracker.reset();
    platform->openGate();
    platform->joinPool();
  }

  std::shared_ptr<zxtest::FakePlatform> platform = std::make_shared<zxtest::FakePlatform>();
  std::unique_ptr<EventTracker> tracker;
};

TEST_F(EventTrackerTest, QueuedEventsGoOneAtATimeInOrder) {
  platform->closeGate();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(tracker->enqueue(L"download_run", std::to_wstring(i)));
  ASSERT_TRUE(platform->waitForSendsBegun(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(platform->sent().size(), 1u) << "a second send began while the first was in flight";
  platform->openGate();
  ASSERT_TRUE(platform->waitForSendsDone(5));

  std::vector<std::wstring> sent = platform->sent();
  EXPECT_EQ(labels(sent), (std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4"}));
  EXPECT_EQ(platform->mostAtOnce(), 1);
  EXPECT_EQ(platform->poolRuns(), 1);
  const std::wstring& first = sent[0];
  EXPECT_EQ(first.substr(0, first.find(L"&z=")),
            L"http://collector.test/collect?v=1&t=event&tid=UA-123456789-1&cid=2-d527727427512cfec72ff26ba1b6bcd6"
            L"&ec=app2&ea=download_run&el=0&ev=100");
}

TEST_F(EventTrackerTest, FullQueueDropsUntilTheWorkerTakesOne) {
  platform->closeGate();
  ASSERT_TRUE(tracker->enqueue(L"e", L"taken"));
  ASSERT_TRUE(platform->waitForSendsBegun(1));  // the worker holds "taken"; the queue is empty
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(tracker->enqueue(L"e", std::to_wstring(i))) << i;
  EXPECT_FALSE(tracker->enqueue(L"e", L"dropped"));

  platform->allowOne();
  ASSERT_TRUE(platform->waitForSendsBegun(2));  // the worker took "0"
  EXPECT_TRUE(tracker->enqueue(L"e", L"accepted"));
  EXPECT_FALSE(tracker->enqueue(L"e", L"dropped too"));

  platform->openGate();
  ASSERT_TRUE(platform->waitForSendsDone(102));
  std::vector<std::wstring> sent = labels(platform->sent());
  ASSERT_EQ(sent.size(), 102u);
  EXPECT_EQ(sent.front(), L"taken");
  EXPECT_EQ(sent[100], L"99");
  EXPECT_EQ(sent.back(), L"accepted");
}

TEST_F(EventTrackerTest, ImmediateEventCarriesTheClientIdOnlyOnceTheWorkerHasComputedIt) {
  tracker->sendNow(L"userCancel", L"100");
  ASSERT_EQ(platform->sent().size(), 1u) << "the immediate channel returns after its send";
  EXPECT_EQ(field(platform->sent()[0], L"cid"), L"");
  EXPECT_EQ(field(platform->sent()[0], L"ec"), L"app");
  EXPECT_EQ(platform->machineIdCalls(), 0);

  ASSERT_TRUE(tracker->enqueue(L"download_run", L"100"));
  ASSERT_TRUE(platform->waitForSendsDone(2));
  tracker->sendNow(L"userCancel", L"100");
  std::vector<std::wstring> sent = platform->sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(field(sent[1], L"cid"), L"2-d527727427512cfec72ff26ba1b6bcd6");
  EXPECT_EQ(field(sent[2], L"cid"), L"2-d527727427512cfec72ff26ba1b6bcd6");
  EXPECT_EQ(field(sent[2], L"ec"), L"app");
  EXPECT_EQ(platform->machineIdCalls(), 1);
}

TEST_F(EventTrackerTest, UnknownMachineIdIsAskedAgainBeforeTheNextEvent) {
  platform->setMachineId("");
  ASSERT_TRUE(tracker->enqueue(L"e", L"a"));
  ASSERT_TRUE(platform->waitForSendsDone(1));
  platform->setMachineId("51583a7ec021041ea60935ffa891b760");
  ASSERT_TRUE(tracker->enqueue(L"e", L"b"));
  ASSERT_TRUE(platform->waitForSendsDone(2));
  std::vector<std::wstring> sent = platform->sent();
  EXPECT_EQ(field(sent[0], L"cid"), L"");
  EXPECT_EQ(field(sent[1], L"cid"), L"51583a7ec021041ea60935ffa891b760");
}

TEST_F(EventTrackerTest, DisabledTrackerSendsNothingOnEitherChannel) {
  tracker->disable();
  EXPECT_FALSE(tracker->enqueue(L"download_Success", L"100_5"));
  tracker->sendNow(L"userCancel", L"100");
  tracker.reset();
  EXPECT_TRUE(platform->sent().empty());
  EXPECT_EQ(platform->poolRuns(), 0);
}

TEST_F(EventTrackerTest, DestructionDoesNotWaitForAHangingSendAndDropsTheQueue) {
  platform->closeGate();
  ASSERT_TRUE(tracker->enqueue(L"e", L"hanging"));
  ASSERT_TRUE(tracker->enqueue(L"e", L"queued"));
  ASSERT_TRUE(platform->waitForSendsBegun(1));

  auto before = std::chrono::steady_clock::now();
  tracker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
  EXPECT_EQ(platform->poolRunsEnded(), 0);

  // The send returns after the tracker is gone; the worker ends on its own shared state
  // (the sanitizers of the host build would report any touch of the freed tracker).
  platform->openGate();
  platform->joinPool();
  EXPECT_EQ(platform->poolRunsEnded(), 1);
  EXPECT_EQ(labels(platform->sent()), (std::vector<std::wstring>{L"hanging"}));
}

TEST_F(EventTrackerTest, ImmediateEventWaitsForItsRequestOnlyUpToTheBound) {
  EventTracker::Hooks hooks = platform->hooks();
  hooks.immediateWaitMs = 300;
  tracker = std::make_unique<EventTracker>(hooks);
  using Clock = std::chrono::steady_clock;

  platform->closeGate();
  std::thread opener([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    platform->allowOne();
  });
  tracker->sendNow(L"userCancel", L"answered");
  opener.join();
  EXPECT_EQ(platform->sendsDone(), 1u) << "returned before the request was done";

  auto before = Clock::now();
  tracker->sendNow(L"userCancel", L"hanging");
  auto took = Clock::now() - before;
  EXPECT_GE(took, std::chrono::milliseconds(250));
  EXPECT_LT(took, std::chrono::milliseconds(1500));
  EXPECT_EQ(platform->sendsDone(), 1u);
  EXPECT_EQ(labels(platform->sent()), (std::vector<std::wstring>{L"answered", L"hanging"}));
}

TEST_F(EventTrackerTest, RefusedPoolKeepsTheQueuedEventAndSendsImmediateOnesInPlace) {
  platform->refusePool(true);
  EXPECT_TRUE(tracker->enqueue(L"e", L"a"));
  tracker->sendNow(L"e", L"now");
  EXPECT_EQ(platform->sendsDone(), 1u);
  platform->refusePool(false);
  EXPECT_TRUE(tracker->enqueue(L"e", L"b"));
  ASSERT_TRUE(platform->waitForSendsDone(3));
  EXPECT_EQ(labels(platform->sent()), (std::vector<std::wstring>{L"now", L"a", L"b"}));
  EXPECT_EQ(platform->poolRuns(), 1);
}

}  // namespace
