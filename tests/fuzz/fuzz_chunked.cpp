#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/utility/http/memory_reader.h"
#include "utility/http/chunked_body.h"

namespace {

struct Result {
  std::string data;
  int last = 0;
};

Result decode(const std::string& wire, int segment, int capacity) {
  zxtest::MemoryReader reader(wire, {segment});
  utility::ChunkedBody body;
  std::vector<char> buffer(static_cast<size_t>(capacity));
  Result out;
  for (;;) {
    int n = body.next(reader, buffer.data(), capacity);
    FUZZ_CHECK(n <= capacity);
    if (n <= 0) {
      out.last = n;
      // Finished or failed stays so.
      FUZZ_CHECK(body.next(reader, buffer.data(), capacity) == n);
      return out;
    }
    out.data.append(buffer.data(), static_cast<size_t>(n));
    FUZZ_CHECK(out.data.size() <= wire.size());
  }
}

}  // namespace

// Byte 0: mode; byte 1: segment size; byte 2: buffer size. Mode even: decode the rest as a
// server's body. Mode odd: encode the rest as chunks (sizes from its own bytes) and check that
// decoding gives it back exactly.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  int segment = 1 + data[1] % 64;
  int capacity = 1 + data[2] * 3;
  std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  if (data[0] % 2 == 0) {
    decode(rest, segment, capacity);
    return 0;
  }
  std::string wire;
  size_t pos = 0;
  while (pos < rest.size()) {
    size_t chunk = 1 + static_cast<unsigned char>(rest[pos]) % 300;
    if (chunk > rest.size() - pos) chunk = rest.size() - pos;
    char line[32];
    std::snprintf(line, sizeof(line), data[0] & 2 ? "%zX;ext=1\r\n" : "%zx\r\n", chunk);
    wire += line + rest.substr(pos, chunk) + "\r\n";
    pos += chunk;
  }
  wire += "0\r\n\r\n";
  Result result = decode(wire, segment, capacity);
  FUZZ_CHECK(result.last == 0);
  FUZZ_CHECK(result.data == rest);
  return 0;
}
