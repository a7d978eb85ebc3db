#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "utility/http/request_text.h"

// Input: host, path and extra headers separated by NUL bytes; then the client's header block.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring parts[3];
  int field = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && field < 2) {
      ++field;
    } else {
      parts[field].push_back(static_cast<wchar_t>(data[i]));
    }
  }
  std::wstring request = utility::buildGetRequest(parts[0], parts[1], parts[2]);
  FUZZ_CHECK(request.compare(0, 4, L"GET ") == 0);
  FUZZ_CHECK(request.size() >= 4 && request.compare(request.size() - 4, 4, L"\r\n\r\n") == 0);
  FUZZ_CHECK(request.find(parts[2]) != std::wstring::npos);

  utility::HeaderTable table;
  if (!parts[0].empty()) table[parts[0]] = parts[1];
  std::wstring block = utility::buildHeaders(table);
  FUZZ_CHECK(table.count(L"Content-Type") == 1 && table.count(L"User-Agent") == 1);
  FUZZ_CHECK(block.size() >= 2 && block.compare(block.size() - 2, 2, L"\r\n") == 0);
  return 0;
}
