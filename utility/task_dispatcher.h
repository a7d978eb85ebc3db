// Runs tasks on the window thread: one-shot posts (window message 8888) and repeating timer
// tasks (WM_TIMER) through a message-only window. Posts are counted per owner key so that an
// owner's queued tasks can be dropped together when it goes away.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>

#include "utility/runable.h"

namespace utility {

class TaskDispatcher {
 public:
  static constexpr UINT kPostMessage = 8888;

  // Window thread, once, before any window of the installer exists.
  static TaskDispatcher* create();
  // Null before create().
  static TaskDispatcher* instance();

  // Any thread. The dispatcher owns the task from here on; it runs on the window thread
  // unless the owner is cancelled first.
  void post(const void* ownerKey, RunablePtr task);
  // Any thread. Nothing posted for the owner before this call runs after it; posts made
  // after it run normally.
  void cancel(const void* ownerKey);

  // Window thread. Returns the timer id, 0 on failure (the task is then released).
  UINT setTimer(UINT periodMs, RunablePtr task);
  // Window thread. Safe from inside the timer's own task: that task is released once its
  // run returns.
  void killTimer(UINT timerId);

  template <typename F>
  void postFunction(F&& function) {
    post(&kFunctionOwner, makeTask(std::forward<F>(function)));
  }

  HWND window() const { return window_; }

 private:
  struct Envelope;
  struct OwnerEntry {
    std::uint32_t queued = 0;
    std::uint64_t epoch = 0;  // bumped by cancel; a task carries the epoch it was posted in
  };

  TaskDispatcher() = default;
  static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
  void dispatchPost(Envelope* envelope);
  void dispatchTimer(UINT timerId);

  static const char kFunctionOwner;

  std::mutex mutex_;  // guards owners_ only; never held while a task runs or a message is posted
  DWORD creatorThread_ = 0;
  HWND window_ = nullptr;
  std::map<UINT, RunablePtr> timers_;
  UINT lastTimerId_ = 0;
  UINT runningTimer_ = 0;
  RunablePtr* runningKeep_ = nullptr;
  std::map<const void*, OwnerEntry> owners_;
};

}  // namespace utility
