#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/utility/http/memory_reader.h"
#include "utility/http/response_header.h"

// First byte: segment size of the stream; the rest: what the server sends.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  zxtest::MemoryReader reader(bytes, {1 + data[0] % 7});
  std::string text;
  utility::HeaderRead result = utility::readResponseHeader(reader, text, 512);
  FUZZ_CHECK(text.size() <= 512);
  FUZZ_CHECK(reader.consumed() == text.size());
  if (result == utility::HeaderRead::ok) FUZZ_CHECK(text.size() >= 4 && text.compare(text.size() - 4, 4, "\r\n\r\n") == 0);
  int status = 0;
  utility::responseStatus(text, status);
  utility::responseContentLength(text);
  utility::isChunked(text);
  for (const char* name : {"location", "Transfer-Encoding", "x"}) {
    std::string value;
    if (utility::headerValue(text, name, value)) {
      FUZZ_CHECK(value.find("\r\n") == std::string::npos);
      FUZZ_CHECK(value.empty() || (value.front() != ' ' && value.back() != ' '));
    }
  }
  return 0;
}
