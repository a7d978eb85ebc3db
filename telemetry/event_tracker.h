// Analytics events. Two channels: a queued one, whose events a background worker sends one
// after another in the order they came, and an immediate one, which sends on the caller's
// thread and returns when the request is done (for the moment right before the process
// quits, when a queued event would never leave). Telemetry never blocks the caller of the
// queued channel, never retries and never stores: a full queue drops the event, a failed
// request loses it.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace telemetry {

class EventTracker {
 public:
  // What the tracker needs from the platform. The worker keeps its own copy and may still be
  // using it after the tracker is gone, so nothing here may refer to the tracker.
  struct Hooks {
    std::wstring collectorHost;  // host or host:port of the plain-HTTP collector
    // Runs body once on a pool thread: the queue's worker, and each immediate request.
    // False when the pool refused it (body never runs).
    std::function<bool(std::function<void()> body)> startWorker;
    // One request to url; the answer and any failure are ignored.
    std::function<void(const std::wstring& url)> send;
    // The client id of this machine; empty when unknown (asked again before the next event).
    std::function<std::string()> machineId;
    // How long an immediate event may keep its caller waiting for a collector that does not
    // answer; the request itself goes on in the background.
    int immediateWaitMs = 5000;
  };

  static constexpr size_t kMaxQueued = 100;

#ifdef _WIN32
  // The installer's tracker: systemHooks().
  EventTracker();
#endif
  explicit EventTracker(Hooks hooks);
  // Ends the worker. An idle worker is woken and waited for; a worker busy with a send is not
  // waited for: it finishes that send on its own and then ends without touching this object.
  // Events still queued are dropped.
  ~EventTracker();
  EventTracker(const EventTracker&) = delete;
  EventTracker& operator=(const EventTracker&) = delete;

  // The analytics property id; set once by the model's initialisation.
  void setTrackingId(const std::wstring& tid);
  // From now on both channels ignore new events (the model's shutdown).
  void disable();

  // Queued channel; any thread; never blocks on the network. False when the event was
  // ignored or dropped (disabled, queue full).
  bool enqueue(const std::wstring& action, const std::wstring& label);
  // Immediate channel; any thread; returns when the request is done, or after
  // Hooks::immediateWaitMs when the collector hangs. Carries the client id as far as the
  // worker has computed it (empty before the first queued event).
  void sendNow(const std::wstring& action, const std::wstring& label);

 private:
  struct State;
  static void runWorker(const std::shared_ptr<State>& state);

  std::shared_ptr<State> state_;
};

#ifdef _WIN32
// The system thread pool, a fresh HTTP client per event (one in-memory attempt), the
// machine identifier of the adapters, and the build's collector host.
EventTracker::Hooks systemHooks();
#endif

}  // namespace telemetry
