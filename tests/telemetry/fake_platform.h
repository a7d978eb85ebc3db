// A stand-in platform for the event tracker: worker threads the test can join, a send that
// records each address and can be held at a gate, and a machine id the test chooses.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "telemetry/event_tracker.h"

namespace zxtest {

// Shared with the tracker's worker, which may outlive the tracker: the hooks hold it by
// shared_ptr, never by reference to the test.
class FakePlatform : public std::enable_shared_from_this<FakePlatform> {
 public:
  ~FakePlatform() = default;

  telemetry::EventTracker::Hooks hooks(const std::wstring& host = L"collector.test") {
    std::shared_ptr<FakePlatform> self = shared_from_this();
    telemetry::EventTracker::Hooks h;
    h.collectorHost = host;
    h.startWorker = [self](std::function<void()> body) { return self->runOnPool(std::move(body)); };
    h.send = [self](const std::wstring& url) { self->send(url); };
    h.machineId = [self] { return self->machineId(); };
    return h;
  }

  // Joins every pool thread; call after the tracker is gone and the gate is open.
  void joinPool() {
    std::vector<std::thread> threads;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      threads.swap(threads_);
    }
    for (std::thread& t : threads) t.join();
  }

  // Holds sends at the gate until passes are given (or it is opened).
  void closeGate() {
    std::lock_guard<std::mutex> lock(mutex_);
    gateOpen_ = false;
  }
  void openGate() {
    std::lock_guard<std::mutex> lock(mutex_);
    gateOpen_ = true;
    changed_.notify_all();
  }
  void allowOne() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++passes_;
    changed_.notify_all();
  }

  // Waits until at least count sends have begun; false after two seconds.
  bool waitForSendsBegun(size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(2), [&] { return begun_.size() >= count; });
  }
  bool waitForSendsDone(size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(2), [&] { return done_ >= count; });
  }

  std::vector<std::wstring> sent() {
    std::lock_guard<std::mutex> lock(mutex_);
    return begun_;
  }
  int mostAtOnce() {
    std::lock_guard<std::mutex> lock(mutex_);
    return mostAtOnce_;
  }
  size_t sendsDone() {
    std::lock_guard<std::mutex> lock(mutex_);
    return done_;
  }
  int poolRuns() {
    std::lock_guard<std::mutex> lock(mutex_);
    return poolRuns_;
  }
  int poolRunsEnded() {
    std::lock_guard<std::mutex> lock(mutex_);
    return poolRunsEnded_;
  }
  int machineIdCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    return machineIdCalls_;
  }
  void setMachineId(const std::string& id) {
    std::lock_guard<std::mutex> lock(mutex_);
    machineId_ = id;
  }
  void refusePool(bool refuse) {
    std::lock_guard<std::mutex> lock(mutex_);
    refusePool_ = refuse;
  }

 private:
  bool runOnPool(std::function<void()> body) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refusePool_) return false;
    ++poolRuns_;
    std::shared_ptr<FakePlatform> self = shared_from_this();
    threads_.emplace_back([self, body] {
      body();
      std::lock_guard<std::mutex> done(self->mutex_);
      ++self->poolRunsEnded_;
      self->changed_.notify_all();
    });
    return true;
  }

  void send(const std::wstring& url) {
    std::unique_lock<std::mutex> lock(mutex_);
    begun_.push_back(url);
    ++inFlight_;
    mostAtOnce_ = std::max(mostAtOnce_, inFlight_);
    changed_.notify_all();
    changed_.wait(lock, [&] { return gateOpen_ || passes_ > 0; });
    if (!gateOpen_) --passes_;
    --inFlight_;
    ++done_;
    changed_.notify_all();
  }

  std::string machineId() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++machineIdCalls_;
    return machineId_;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
  std::vector<std::wstring> begun_;
  size_t done_ = 0;
  int inFlight_ = 0;
  int mostAtOnce_ = 0;
  int poolRuns_ = 0;
  int poolRunsEnded_ = 0;
  int passes_ = 0;
  bool gateOpen_ = true;
  bool refusePool_ = false;
  int machineIdCalls_ = 0;
  std::string machineId_ = "2-d527727427512cfec72ff26ba1b6bcd6";
};

}  // namespace zxtest
