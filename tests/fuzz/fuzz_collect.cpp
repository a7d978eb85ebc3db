#include <cstdint>
#include <string>
#include <vector>

#include "telemetry/collect_query.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

int hexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// The code points a collector reads back: percent escapes undone, then UTF-8 decoded.
std::vector<uint32_t> decode(const std::wstring& escaped) {
  std::string bytes;
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == L'%') {
      FUZZ_CHECK(i + 2 < escaped.size());
      int high = hexValue(escaped[i + 1]);
      int low = hexValue(escaped[i + 2]);
      FUZZ_CHECK(high >= 0 && low >= 0);
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      bytes += static_cast<char>(escaped[i]);
    }
  }
  std::vector<uint32_t> out;
  for (size_t i = 0; i < bytes.size();) {
    auto b = static_cast<uint8_t>(bytes[i]);
    int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    uint32_t code = extra == 0 ? b : b & (0x3F >> extra);
    FUZZ_CHECK(i + extra < bytes.size());
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<uint8_t>(bytes[i + k]) & 0x3F);
    out.push_back(code);
    i += 1 + extra;
  }
  return out;
}

}  // namespace

// Input: UTF-16 code units (little-endian pairs of bytes), as a file name gives them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

  const std::wstring escaped = telemetry::escapeQueryValue(text);
  for (size_t i = 0; i < escaped.size(); ++i) {
    wchar_t c = escaped[i];
    FUZZ_CHECK(c > 0x20 && c < 0x7F && c != L'&' && c != L'#' && c != L'+');
    if (c == L'%') FUZZ_CHECK(i + 2 < escaped.size() && hexValue(escaped[i + 1]) >= 0 && hexValue(escaped[i + 2]) >= 0);
  }

  // Read back, the text is what was given, with an unpaired surrogate as U+FFFD.
  std::vector<uint32_t> expected;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = static_cast<uint32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      expected.push_back(0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else {
      expected.push_back(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
    }
  }
  FUZZ_CHECK(decode(escaped) == expected);

  telemetry::EventHit hit{L"UA-1-1", L"", L"e", text};
  const std::wstring url = telemetry::collectUrl(L"h", hit, telemetry::EventChannel::queued, 1);
  FUZZ_CHECK(url.size() <= telemetry::kMaxCollectUrl);
  FUZZ_CHECK(url.find(L'%', url.size() < 2 ? 0 : url.size() - 2) == std::wstring::npos);
  return 0;
}
