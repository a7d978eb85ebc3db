#include "telemetry/event_tracker.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

#include "telemetry/collect_query.h"

namespace telemetry {

// Everything the worker touches. The tracker and the worker share it, so a worker still busy
// with a send when the tracker is destroyed keeps it alive until it ends.
struct EventTracker::State {
  explicit State(Hooks h) : hooks(std::move(h)) {}

  const Hooks hooks;
  std::atomic<bool> disabled{false};

  std::mutex mutex;
  std::condition_variable changed;  // queue, stopping, busy or running changed
  std::deque<std::pair<std::wstring, std::wstring>> queue;  // action, label
  bool running = false;   // a worker was started and has not ended
  bool busy = false;      // the worker is outside the lock with an event
  bool stopping = false;  // the tracker is gone or going
  std::wstring tid;
  std::wstring cid;
};

namespace {

// A pool thread must not let an exception escape; a hook that throws loses its event like any
// failed request.
template <typename F>
void quietly(F&& call) {
  try {
    call();
  } catch (...) {
  }
}

}  // namespace

EventTracker::EventTracker(Hooks hooks) : state_(std::make_shared<State>(std::move(hooks))) {}

EventTracker::~EventTracker() {
  std::unique_lock<std::mutex> lock(state_->mutex);
  state_->stopping = true;
  state_->changed.notify_all();
  state_->changed.wait(lock, [this] { return !state_->running || state_->busy; });
}

void EventTracker::setTrackingId(const std::wstring& tid) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->tid = tid;
}

void EventTracker::disable() { state_->disabled = true; }

bool EventTracker::enqueue(const std::wstring& action, const std::wstring& label) {
  if (state_->disabled) return false;
  bool start = false;
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->queue.size() >= kMaxQueued) return false;
    state_->queue.emplace_back(action, label);
    start = !state_->running;
    state_->running = true;
  }
  state_->changed.notify_all();
  if (start) {
    std::shared_ptr<State> shared = state_;
    bool started = false;
    quietly([&] { started = state_->hooks.startWorker([shared] { runWorker(shared); }); });
    if (!started) {
      // The event stays queued; the next enqueue tries to start a worker again.
      std::lock_guard<std::mutex> lock(state_->mutex);
      state_->running = false;
    }
  }
  return true;
}

void EventTracker::sendNow(const std::wstring& action, const std::wstring& label) {
  if (state_->disabled) return;
  EventHit hit;
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    hit = {state_->tid, state_->cid, action, label};
  }
  std::wstring url = collectUrl(state_->hooks.collectorHost, hit, EventChannel::immediate, nextCacheBuster());

  // The request runs on a pool thread so that a collector that accepts the connection and
  // then says nothing cannot keep the installer from quitting: the caller waits for it only
  // up to the bound. The request keeps what it uses alive by itself.
  struct Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
  };
  auto completion = std::make_shared<Completion>();
  std::shared_ptr<State> shared = state_;
  auto request = [shared, url, completion] {
    quietly([&] { shared->hooks.send(url); });
    std::lock_guard<std::mutex> lock(completion->mutex);
    completion->finished = true;
    completion->done.notify_all();
  };
  bool started = false;
  quietly([&] { started = state_->hooks.startWorker(request); });
  if (!started) {
    request();
    return;
  }
  std::unique_lock<std::mutex> lock(completion->mutex);
  completion->done.wait_for(lock, std::chrono::milliseconds(state_->hooks.immediateWaitMs),
                            [&] { return completion->finished; });
}

void EventTracker::runWorker(const std::shared_ptr<State>& state) {
  State& s = *state;
  std::unique_lock<std::mutex> lock(s.mutex);
  for (;;) {
    s.changed.wait(lock, [&s] { return s.stopping || !s.queue.empty(); });
    if (s.stopping) break;
    EventHit hit{s.tid, s.cid, std::move(s.queue.front().first), std::move(s.queue.front().second)};
    s.queue.pop_front();
    s.busy = true;
    lock.unlock();
    // Computed here, right before the event that needs it, so that a machine whose adapters
    // could not be read is asked again for every event until it answers.
    if (hit.cid.empty()) {
      std::string id;
      quietly([&] { id = s.hooks.machineId(); });
      hit.cid.assign(id.begin(), id.end());  // hexadecimal digits and "-"
      lock.lock();
      s.cid = hit.cid;
      lock.unlock();
    }
    std::wstring url = collectUrl(s.hooks.collectorHost, hit, EventChannel::queued, nextCacheBuster());
    quietly([&] { s.hooks.send(url); });
    lock.lock();
    s.busy = false;
  }
  s.queue.clear();
  s.running = false;
  s.changed.notify_all();
}

}  // namespace telemetry
