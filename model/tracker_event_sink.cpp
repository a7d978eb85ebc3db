#include "model/tracker_event_sink.h"

#include <windows.h>

#include <functional>
#include <memory>

#include "base/log.h"
#include "config/build_constants.h"
#include "telemetry/machine_id.h"
#include "utility/http/http_client_wrapper.h"

namespace model {
namespace {

DWORD WINAPI runPoolBody(void* context) {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(context));
  (*body)();
  return 0;
}

// The system thread pool, a fresh client per event with one in-memory attempt, and the
// machine identifier of the adapters.
telemetry::EventTracker::Hooks trackerHooks() {
  telemetry::EventTracker::Hooks hooks;
  hooks.collectorHost = buildconst::kCollectorHost;
  hooks.startWorker = [](std::function<void()> body) {
    auto* owned = new std::function<void()>(std::move(body));
    if (QueueUserWorkItem(&runPoolBody, owned, WT_EXECUTELONGFUNCTION)) return true;
    writeLog("model::TrackerEventSink", __LINE__, L"QueueUserWorkItem failed, error = %d",
             static_cast<int>(GetLastError()));
    delete owned;
    return false;
  };
  hooks.send = [](const std::wstring& url) {
    utility::CHttpClientWrapper client;
    std::string ignored;
    client.download2memOnce(ignored, url);
  };
  hooks.machineId = [] { return telemetry::computeMachineId(); };
  return hooks;
}

}  // namespace

TrackerEventSink::TrackerEventSink() : tracker_(trackerHooks()) {}

}  // namespace model
