#include "telemetry/collect_query.h"

#include <chrono>
#include <mutex>
#include <random>

namespace telemetry {
namespace {

bool needsEscape(uint32_t byte) {
  return byte <= 0x20 || byte >= 0x7F || byte == '%' || byte == '&' || byte == '#' || byte == '+';
}

void appendByte(std::wstring& out, uint32_t byte) {
  if (!needsEscape(byte)) {
    out += static_cast<wchar_t>(byte);
    return;
  }
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  out += L'%';
  out += kHex[(byte >> 4) & 0x0F];
  out += kHex[byte & 0x0F];
}

void appendUtf8(std::wstring& out, uint32_t code) {
  if (code < 0x80) {
    appendByte(out, code);
  } else if (code < 0x800) {
    appendByte(out, 0xC0 | (code >> 6));
    appendByte(out, 0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    appendByte(out, 0xE0 | (code >> 12));
    appendByte(out, 0x80 | ((code >> 6) & 0x3F));
    appendByte(out, 0x80 | (code & 0x3F));
  } else {
    appendByte(out, 0xF0 | (code >> 18));
    appendByte(out, 0x80 | ((code >> 12) & 0x3F));
    appendByte(out, 0x80 | ((code >> 6) & 0x3F));
    appendByte(out, 0x80 | (code & 0x3F));
  }
}

bool isHighSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring escapeQueryValue(const std::wstring& text) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t code = static_cast<uint32_t>(text[i]);
    if (isHighSurrogate(code) && i + 1 < text.size() && isLowSurrogate(static_cast<uint32_t>(text[i + 1]))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if (isHighSurrogate(code) || isLowSurrogate(code) || code > 0x10FFFF) {
      // A file name may hold an unpaired surrogate; UTF-8 has no form for it.
      code = kReplacement;
    }
    appendUtf8(out, code);
  }
  return out;
}

std::wstring collectUrl(const std::wstring& host, const EventHit& hit, EventChannel channel, int cacheBuster) {
  std::wstring url = L"http://" + host + L"/collect?v=1&t=event&tid=" + escapeQueryValue(hit.tid) +
                     L"&cid=" + escapeQueryValue(hit.cid) +
                     (channel == EventChannel::queued ? L"&ec=app2" : L"&ec=app") +
                     L"&ea=" + escapeQueryValue(hit.action) + L"&el=" + escapeQueryValue(hit.label) +
                     L"&ev=100&z=" + std::to_wstring(cacheBuster);
  if (url.size() > kMaxCollectUrl) {
    size_t cut = kMaxCollectUrl;
    if (url[cut - 1] == L'%') {
      cut -= 1;
    } else if (url[cut - 2] == L'%') {
      cut -= 2;
    }
    url.resize(cut);
  }
  return url;
}

int nextCacheBuster() {
  static std::mutex lock;
  static std::minstd_rand generator([] {
    std::random_device device;
    auto now = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return device() ^ now;
  }());
  std::lock_guard<std::mutex> guard(lock);
  return static_cast<int>(generator() % 32768);
}

}  // namespace telemetry
