// The event tracker with its real platform (thread pool, HTTP client, adapters) under Wine,
// against the vendor host's "/collect".
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "telemetry/event_tracker.h"
#include "telemetry/machine_id.h"
#include "tests/support/temp_folder.h"
#include "tests/support/vendor_host.h"

namespace zxtest {
namespace {

using telemetry::EventTracker;

const char kCid[] = "2-d527727427512cfec72ff26ba1b6bcd6";

// Targets of the hits the host received, in order.
std::vector<std::string> hits(const VendorHost& host) {
  std::vector<std::string> out;
  for (const JournalEntry& entry : host.requestsTo("/collect")) out.push_back(entry.target());
  return out;
}

bool waitForHits(const VendorHost& host, size_t count, int timeoutMs = 20000) {
  for (int waited = 0; waited < timeoutMs; waited += 25) {
    if (hits(host).size() >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

std::string field(const std::string& target, const std::string& name) {
  std::smatch match;
  if (!std::regex_search(target, match, std::regex("[?&]" + name + "=([^&]*)"))) return "<absent>";
  return match[1];
}

std::vector<std::string> labels(const std::vector<std::string>& targets) {
  std::vector<std::string> out;
  for (const std::string& target : targets) out.push_back(field(target, "el"));
  return out;
}

class TrackerUnderWine : public ::testing::Test {
 protected:
  // The installer's hooks, pointed at the host, with a known client id (unless realId) and
  // a count of pool runs (the worker, immediate requests) that have ended.
  std::unique_ptr<EventTracker> makeTracker(const VendorHost& host, bool realId = false) {
    EventTracker::Hooks hooks = telemetry::systemHooks();
    hooks.collectorHost = host.authority();
    if (!realId) hooks.machineId = [] { return std::string(kCid); };
    auto run = hooks.startWorker;
    std::shared_ptr<std::atomic<int>> ended = poolRunsEnded;
    hooks.startWorker = [run, ended](std::function<void()> body) {
      return run([body, ended] {
        body();
        ++*ended;
      });
    };
    auto tracker = std::make_unique<EventTracker>(hooks);
    tracker->setTrackingId(L"UA-123456789-1");
    return tracker;
  }

  bool waitForPoolRunsEnded(int count, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 25) {
      if (*poolRunsEnded >= count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }

  TempFolder served;
  std::shared_ptr<std::atomic<int>> poolRunsEnded = std::make_shared<std::atomic<int>>(0);
};

TEST_F(TrackerUnderWine, EachChannelSendsItsFieldsInOrder) {
  VendorHost host(served.path(), "{}", "127.0.0.1", false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  ASSERT_TRUE(tracker->enqueue(L"download_run", L"100"));
  ASSERT_TRUE(waitForHits(host, 1));
  tracker->sendNow(L"DownloadSlowUseBrowser3.0", L"<200kb/s");
  // A channel id taken from a renamed installer file.
  tracker->sendNow(L"userCancel", L"my setup&ev=5#x 50%\u5b89\u88c5");

  auto requests = host.requestsTo("/collect");
  ASSERT_EQ(requests.size(), 3u);
  const std::regex z("&z=([0-9]+)$");
  std::smatch match;
  for (const JournalEntry& r : requests) {
    EXPECT_EQ(r.scheme, "http");
    EXPECT_EQ(r.requestLine().substr(0, 4), "GET ");
    std::string target = r.target();
    ASSERT_TRUE(std::regex_search(target, match, z)) << target;
    EXPECT_LE(std::stoi(match[1]), 32767);
  }
  auto withoutZ = [](const std::string& target) { return target.substr(0, target.rfind("&z=")); };
  EXPECT_EQ(withoutZ(requests[0].target()),
            std::string("/collect?v=1&t=event&tid=UA-123456789-1&cid=") + kCid +
                "&ec=app2&ea=download_run&el=100&ev=100");
  EXPECT_EQ(withoutZ(requests[1].target()),
            std::string("/collect?v=1&t=event&tid=UA-123456789-1&cid=") + kCid +
                "&ec=app&ea=DownloadSlowUseBrowser3.0&el=<200kb/s&ev=100");
  EXPECT_EQ(withoutZ(requests[2].target()),
            std::string("/collect?v=1&t=event&tid=UA-123456789-1&cid=") + kCid +
                "&ec=app&ea=userCancel&el=my%20setup%26ev=5%23x%2050%25%E5%AE%89%E8%A3%85&ev=100");
}

TEST_F(TrackerUnderWine, QueuedEventsArriveInOrder) {
  VendorHost host(served.path(), "{}", "127.0.0.1", false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  std::vector<std::string> expected;
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(tracker->enqueue(L"download_getProduct", std::to_wstring(i)));
    expected.push_back(std::to_string(i));
  }
  ASSERT_TRUE(waitForHits(host, expected.size()));
  EXPECT_EQ(labels(hits(host)), expected);
}

TEST_F(TrackerUnderWine, The101stQueuedEventIsDroppedUntilTheWorkerTakesOne) {
  // The first hit answers slowly, so the worker holds it while the queue fills up.
  VendorHost host(served.path(), R"({"rules":[{"path":"/collect","times":1,"drip":[1,1000]}]})", "127.0.0.1",
                  false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  ASSERT_TRUE(tracker->enqueue(L"e", L"taken"));
  ASSERT_TRUE(waitForHits(host, 1));
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(tracker->enqueue(L"e", std::to_wstring(i))) << i;
  EXPECT_FALSE(tracker->enqueue(L"e", L"dropped"));
  ASSERT_TRUE(waitForHits(host, 2));  // the worker took "0"
  EXPECT_TRUE(tracker->enqueue(L"e", L"accepted"));

  ASSERT_TRUE(waitForHits(host, 102, 60000));
  std::vector<std::string> expected{"taken"};
  for (int i = 0; i < 100; ++i) expected.push_back(std::to_string(i));
  expected.push_back("accepted");
  EXPECT_EQ(labels(hits(host)), expected);
}

TEST_F(TrackerUnderWine, ImmediateEventBeforeTheFirstQueuedOneHasAnEmptyClientId) {
  VendorHost host(served.path(), "{}", "127.0.0.1", false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host, true);
  tracker->sendNow(L"installByHomePage3.0", L"error");
  ASSERT_TRUE(tracker->enqueue(L"download_run", L"100"));
  ASSERT_TRUE(waitForHits(host, 2));
  tracker->sendNow(L"installByHomePage3.0", L"error");

  std::vector<std::string> targets = hits(host);
  ASSERT_EQ(targets.size(), 3u);
  EXPECT_EQ(field(targets[0], "cid"), "");
  const std::string id = telemetry::computeMachineId();  // this machine's adapters under Wine
  EXPECT_EQ(field(targets[1], "cid"), id);
  EXPECT_EQ(field(targets[2], "cid"), id);
}

TEST_F(TrackerUnderWine, NothingLeavesOnceDisabled) {
  VendorHost host(served.path(), "{}", "127.0.0.1", false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  ASSERT_TRUE(tracker->enqueue(L"download_run", L"100"));
  ASSERT_TRUE(waitForHits(host, 1));
  tracker->disable();
  EXPECT_FALSE(tracker->enqueue(L"download_Success", L"100_12"));
  tracker->sendNow(L"userCancel", L"100");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(labels(hits(host)), std::vector<std::string>{"100"});
}

TEST_F(TrackerUnderWine, DestructionWhileASendHangsReturnsPromptly) {
  // The first hit gets its header and then silence, until the host goes away.
  VendorHost host(served.path(), R"({"rules":[{"path":"/collect","times":1,"stall_after":0}]})", "127.0.0.1",
                  false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  ASSERT_TRUE(tracker->enqueue(L"e", L"hanging"));
  ASSERT_TRUE(tracker->enqueue(L"e", L"queued"));
  ASSERT_TRUE(waitForHits(host, 1));
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_EQ(hits(host).size(), 1u) << "the next queued event went out while one was in flight";

  auto before = std::chrono::steady_clock::now();
  tracker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));

  // The hanging request fails when the host goes; the worker then ends without sending the
  // dropped event and without touching the destroyed tracker.
  ASSERT_TRUE(host.stop());
  EXPECT_TRUE(waitForPoolRunsEnded(1, 30000));
  EXPECT_EQ(labels(hits(host)), std::vector<std::string>{"hanging"});
}

TEST_F(TrackerUnderWine, ImmediateEventDoesNotHangOnAStalledCollector) {
  VendorHost host(served.path(), R"({"rules":[{"path":"/collect","stall_after":0}]})", "127.0.0.1", false);
  ASSERT_TRUE(host.started());
  auto tracker = makeTracker(host);
  auto before = std::chrono::steady_clock::now();
  tracker->sendNow(L"userCancel", L"100");
  auto took = std::chrono::steady_clock::now() - before;
  EXPECT_GE(took, std::chrono::milliseconds(4500));
  EXPECT_LT(took, std::chrono::milliseconds(7000));
  EXPECT_EQ(hits(host).size(), 1u);

  // The request left behind ends when the host goes away.
  tracker.reset();
  ASSERT_TRUE(host.stop());
  EXPECT_TRUE(waitForPoolRunsEnded(1, 30000));
}

// The adapters Wine reports are the Linux interfaces other than the loopback; their hardware
// addresses are readable through the Z: drive.
TEST(MachineIdUnderWine, FromTheRealAdapters) {
  std::vector<std::wstring> expected;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\sys\\class\\net", error)) {
    if (entry.path().filename() == L"lo") continue;
    std::ifstream in(entry.path() / L"address");
    std::string text;
    std::getline(in, text);
    uint8_t raw[8] = {};
    unsigned b[6];
    if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]) != 6) continue;
    for (int i = 0; i < 6; ++i) raw[i] = static_cast<uint8_t>(b[i]);
    telemetry::appendAdapterAddress(raw, expected);
  }
  std::vector<std::wstring> collected;
  bool any = telemetry::collectAdapterAddresses(collected);
  EXPECT_EQ(any, !collected.empty());
  std::sort(expected.begin(), expected.end());
  std::vector<std::wstring> sorted = collected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, expected);

  const std::string id = telemetry::computeMachineId();
  EXPECT_EQ(id, telemetry::computeMachineId(collected));
  if (collected.size() > 1) {
    char prefix[16];
    std::snprintf(prefix, sizeof(prefix), "%x-", static_cast<unsigned>(collected.size()));
    EXPECT_EQ(id.substr(0, id.size() - 32), prefix);
  }
  ASSERT_FALSE(collected.empty()) << "Wine lists the Linux interfaces other than lo";
  EXPECT_TRUE(std::regex_match(id.substr(id.size() - 32), std::regex("[0-9a-f]{32}"))) << id;
}

}  // namespace
}  // namespace zxtest

