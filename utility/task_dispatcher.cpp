#include "utility/task_dispatcher.h"

#include "base/log.h"

namespace utility {
namespace {
TaskDispatcher* g_dispatcher = nullptr;
}

const char TaskDispatcher::kFunctionOwner = 0;

struct TaskDispatcher::Envelope {
  const void* owner;
  std::uint64_t epoch;
  RunablePtr task;
};

TaskDispatcher* TaskDispatcher::create() {
  if (g_dispatcher) return g_dispatcher;
  // Process-wide and never destroyed: worker threads may post until the process ends.
  auto* dispatcher = new TaskDispatcher();
  dispatcher->creatorThread_ = GetCurrentThreadId();
  dispatcher->window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!dispatcher->window_) {
    writeLog("utility::TaskDispatcher::create", __LINE__, L"create dispatcher window failed, error = %d",
             static_cast<int>(GetLastError()));
  } else {
    SetWindowLongPtrW(dispatcher->window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TaskDispatcher::windowProc));
  }
  g_dispatcher = dispatcher;
  return dispatcher;
}

TaskDispatcher* TaskDispatcher::instance() { return g_dispatcher; }

void TaskDispatcher::post(const void* ownerKey, RunablePtr task) {
  if (!task) return;
  auto* envelope = new Envelope{ownerKey, 0, std::move(task)};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    OwnerEntry& entry = owners_[ownerKey];
    ++entry.queued;
    envelope->epoch = entry.epoch;
  }
  if (!PostMessageW(window_, kPostMessage, reinterpret_cast<WPARAM>(ownerKey), reinterpret_cast<LPARAM>(envelope))) {
    writeLog("utility::TaskDispatcher::post", __LINE__, L"PostMessage failed, error = %d",
             static_cast<int>(GetLastError()));
    {
      std::lock_guard<std::mutex> lock(mutex_);
      --owners_[ownerKey].queued;
    }
    delete envelope;
  }
}

void TaskDispatcher::cancel(const void* ownerKey) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = owners_.find(ownerKey);
  if (it != owners_.end()) ++it->second.epoch;
}

void TaskDispatcher::dispatchPost(Envelope* envelope) {
  std::unique_ptr<Envelope> owned(envelope);
  bool run = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = owners_.find(envelope->owner);
    if (it != owners_.end()) {
      --it->second.queued;
      run = it->second.epoch == envelope->epoch;
    }
  }
  if (run) envelope->task->run();
}

UINT TaskDispatcher::setTimer(UINT periodMs, RunablePtr task) {
  UINT id = ++lastTimerId_;
  if (SetTimer(window_, id, periodMs, nullptr) == 0) {
    writeLog("utility::TaskDispatcher::setTimer", __LINE__, L"SetTimer failed, error = %d",
             static_cast<int>(GetLastError()));
    return 0;
  }
  timers_[id] = std::move(task);
  return id;
}

void TaskDispatcher::killTimer(UINT timerId) {
  auto it = timers_.find(timerId);
  if (it == timers_.end()) return;
  KillTimer(window_, timerId);
  RunablePtr task = std::move(it->second);
  timers_.erase(it);
  // The task may be the one running right now: keep it alive until its run returns.
  if (timerId == runningTimer_ && runningKeep_) *runningKeep_ = std::move(task);
}

void TaskDispatcher::dispatchTimer(UINT timerId) {
  auto it = timers_.find(timerId);
  if (it == timers_.end()) return;
  Runable* task = it->second.get();
  RunablePtr keep;  // receives the task if it kills its own timer; released after run returns
  UINT outerTimer = std::exchange(runningTimer_, timerId);
  RunablePtr* outerKeep = std::exchange(runningKeep_, &keep);
  task->run();
  runningTimer_ = outerTimer;
  runningKeep_ = outerKeep;
}

LRESULT CALLBACK TaskDispatcher::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TaskDispatcher* self = g_dispatcher;
  if (self && message == kPostMessage) {
    self->dispatchPost(reinterpret_cast<Envelope*>(lParam));
    return 0;
  }
  if (self && message == WM_TIMER) {
    self->dispatchTimer(static_cast<UINT>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace utility
