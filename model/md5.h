// MD5 (RFC 1321) over a stream of pieces, for checking a downloaded package against the
// digest the version document names. Portable; no Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace model {

class Md5 {
 public:
  Md5();
  void update(const void* data, std::size_t size);
  // 32 lower-case hexadecimal digits. The object is finished afterwards.
  std::string hexDigest();

 private:
  void transform(const std::uint8_t block[64]);

  std::uint32_t state_[4];
  std::uint64_t bitCount_ = 0;
  std::uint8_t buffer_[64];
};

// Digest texts compared without regard to letter case and surrounding white space, since the
// version document's "md5" is free text.
bool sameDigest(const std::string& expected, const std::string& actualHex);

}  // namespace model
