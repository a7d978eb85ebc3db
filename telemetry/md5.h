// MD5 message digest (RFC 1321). Used only to turn the machine's adapter addresses into an
// opaque analytics client id, never for anything that needs a secure hash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace telemetry {

class Md5 {
 public:
  Md5();
  // Adds bytes to the message; ignored once finish has been called.
  void update(const void* data, size_t length);
  // Pads the message and fixes the digest; later calls return the same digest.
  const uint8_t* finish();

 private:
  void transform(const uint8_t block[64]);

  uint32_t state_[4];
  uint32_t count_[2];  // message length in bits, low half first
  uint8_t buffer_[64];
  bool finished_ = false;
  uint8_t digest_[16];
};

// 16 digest bytes as 32 lower-case hexadecimal digits.
std::string digestHex(const uint8_t digest[16]);

// The digest of length bytes as 32 lower-case hexadecimal digits. False, leaving out as it
// was, when data is null or length is not positive.
bool md5Hex(const void* data, int length, std::string& out);

}  // namespace telemetry
