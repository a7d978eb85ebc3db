// One dedicated thread running one task, with the stop signal its owner and the task share.
#pragma once

#include <windows.h>

#include <atomic>

#include "utility/runable.h"
#include "utility/win_handle.h"

namespace utility {

class WorkerThread {
 public:
  WorkerThread() = default;
  ~WorkerThread() { stop(INFINITE); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Starts a thread that runs the task once. Fails, leaving task with the caller, when this
  // object already has a thread (running or finished but not stopped).
  bool start(RunablePtr& task);

  // Waits for the thread up to waitMs and terminates it (exit code -1) if it has not ended;
  // then releases the task and closes the event. It does not signal the thread: owners call
  // requestStop first when they want the task to end by itself.
  void stop(DWORD waitMs);

  // Sets stopRequested and wakes an interruptible sleep.
  void requestStop();

  HANDLE wakeEvent() const { return wakeEvent_.get(); }
  bool stopRequested() const { return stopRequested_.load(); }

  // Sleeps up to ms, woken early by requestStop. Returns false when a stop was requested.
  bool sleep(DWORD ms) const;

  bool running() const { return static_cast<bool>(thread_); }

 private:
  static unsigned __stdcall threadMain(void* self);

  RunablePtr task_;
  UniqueKernelHandle thread_;
  UniqueKernelHandle wakeEvent_;
  std::atomic<bool> stopRequested_{false};
};

}  // namespace utility
