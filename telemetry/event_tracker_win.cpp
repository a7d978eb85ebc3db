// The installer's event tracker: the system thread pool runs the worker, a fresh HTTP client
// carries each event, the adapters give the client id.
#include <windows.h>

#include <memory>

#include "base/log.h"
#include "config/build_constants.h"
#include "telemetry/event_tracker.h"
#include "telemetry/machine_id.h"
#include "utility/http/http_client_wrapper.h"

namespace telemetry {
namespace {

void CALLBACK runPoolTask(PTP_CALLBACK_INSTANCE instance, void* context) {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(context));
  // The event worker sleeps on its queue for the rest of the run; let the pool add threads.
  CallbackMayRunLong(instance);
  (*body)();
}

bool runOnThreadPool(std::function<void()> body) {
  auto task = std::make_unique<std::function<void()>>(std::move(body));
  if (!TrySubmitThreadpoolCallback(&runPoolTask, task.get(), nullptr)) {
    writeLog("telemetry::runOnThreadPool", __LINE__, L"TrySubmitThreadpoolCallback failed, error = %d",
             static_cast<int>(GetLastError()));
    return false;
  }
  task.release();  // runPoolTask owns it now
  return true;
}

// One attempt per event, on a client of its own so that parallel immediate and queued sends
// share nothing. The collector's answer carries nothing we use.
void sendHit(const std::wstring& url) {
  utility::CHttpClientWrapper client;
  std::string answer;
  client.download2memOnce(answer, url);
}

}  // namespace

EventTracker::Hooks systemHooks() {
  EventTracker::Hooks hooks;
  hooks.collectorHost = buildconst::kCollectorHost;
  hooks.startWorker = runOnThreadPool;
  hooks.send = sendHit;
  hooks.machineId = [] { return computeMachineId(); };
  return hooks;
}

EventTracker::EventTracker() : EventTracker(systemHooks()) {}

}  // namespace telemetry
