// The model's events going to the analytics collector through the event tracker.
#pragma once

#include "model/event_sink.h"
#include "telemetry/event_tracker.h"

namespace model {

class TrackerEventSink final : public EventSink {
 public:
  void enqueue(const std::wstring& name, const std::wstring& value) override { tracker_.enqueue(name, value); }
  void sendNow(const std::wstring& name, const std::wstring& value) override { tracker_.sendNow(name, value); }
  void setTid(const std::wstring& tid) override { tracker_.setTrackingId(tid); }
  void disable() override { tracker_.disable(); }

 private:
  telemetry::EventTracker tracker_;  // the installer's tracker: system pool, collector host
};

}  // namespace model
