// The analytics hit: one Measurement Protocol (version 1) event request, sent as a plain GET
// to the collector's "/collect".
#pragma once

#include <string>

namespace telemetry {

enum class EventChannel {
  queued,     // sent by the background worker, category "app2"
  immediate,  // sent on the caller's thread, category "app"
};

struct EventHit {
  std::wstring tid;     // analytics property id
  std::wstring cid;     // client id; may be empty
  std::wstring action;  // event name
  std::wstring label;   // event value
};

// The longest address sent, in characters; longer ones are cut.
constexpr size_t kMaxCollectUrl = 1023;

// A text as a query value. Texts go in as they are (labels such as "<200kb/s" reach the
// collector unchanged) except the characters that would break the request or inject fields:
// controls and space, "%", "&", "#" and "+" (a space to form decoders), and everything
// outside ASCII, which goes as its UTF-8 bytes. All of these are percent-encoded.
std::wstring escapeQueryValue(const std::wstring& text);

// "http://<host>/collect?v=1&t=event&tid=..&cid=..&ec=app2|app&ea=..&el=..&ev=100&z=<n>",
// at most kMaxCollectUrl characters; a cut never splits a percent escape.
std::wstring collectUrl(const std::wstring& host, const EventHit& hit, EventChannel channel, int cacheBuster);

// A pseudo-random number from 0 to 32767 that keeps caches from answering a hit in place of
// the collector. Thread-safe; seeded once per process.
int nextCacheBuster();

}  // namespace telemetry
