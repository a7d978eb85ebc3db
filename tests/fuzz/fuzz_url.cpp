#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "utility/http/url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring url(data, data + size);
  utility::UrlParts parts = utility::parseUrl(url);
  FUZZ_CHECK(parts.host.find(L'/') == std::wstring::npos);
  FUZZ_CHECK(parts.path.size() <= url.size());
  // The target is either the text from the first "/" on, or the whole address.
  FUZZ_CHECK(parts.path == url || (!parts.path.empty() && parts.path[0] == L'/'));
  return 0;
}
