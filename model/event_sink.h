// Where the model's analytics events go: the event tracker in the product, a recorder in tests.
#pragma once

#include <string>

namespace model {

class EventSink {
 public:
  virtual ~EventSink() = default;
  // Any thread.
  virtual void enqueue(const std::wstring& name, const std::wstring& value) = 0;
  virtual void sendNow(const std::wstring& name, const std::wstring& value) = 0;
  virtual void setTid(const std::wstring& tid) = 0;
  // From here on both channels ignore new events.
  virtual void disable() = 0;
};

}  // namespace model
