#include "utility/worker_thread.h"

#include <process.h>

#include "base/log.h"

namespace utility {

bool WorkerThread::start(RunablePtr& task) {
  if (thread_ || !task) return false;
  stopRequested_ = false;
  wakeEvent_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  task_ = std::move(task);
  uintptr_t handle = _beginthreadex(nullptr, 0, &WorkerThread::threadMain, this, 0, nullptr);
  if (handle == 0) {
    writeLog("utility::WorkerThread::start", __LINE__, L"start thread failed, errno = %d", errno);
    task = std::move(task_);
    wakeEvent_.reset();
    return false;
  }
  thread_.reset(reinterpret_cast<HANDLE>(handle));
  return true;
}

unsigned __stdcall WorkerThread::threadMain(void* self) {
  static_cast<WorkerThread*>(self)->task_->run();
  return 0;
}

void WorkerThread::stop(DWORD waitMs) {
  if (thread_) {
    if (WaitForSingleObject(thread_.get(), waitMs) == WAIT_TIMEOUT) {
      writeLog("utility::WorkerThread::stop", __LINE__, L"thread did not end in %d ms, terminated",
               static_cast<int>(waitMs));
      TerminateThread(thread_.get(), static_cast<DWORD>(-1));
      // TerminateThread returns before the thread is gone; its task must outlive it.
      WaitForSingleObject(thread_.get(), INFINITE);
    }
    thread_.reset();
  }
  task_.reset();
  wakeEvent_.reset();
}

void WorkerThread::requestStop() {
  stopRequested_ = true;
  if (wakeEvent_) SetEvent(wakeEvent_.get());
}

bool WorkerThread::sleep(DWORD ms) const {
  if (wakeEvent_) {
    WaitForSingleObject(wakeEvent_.get(), ms);
  } else {
    Sleep(ms);
  }
  return !stopRequested_.load();
}

}  // namespace utility
