#include "model/digest_text.h"

namespace model {
namespace {

std::string normalised(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

}  // namespace

std::string digestHex(const std::uint8_t digest[16]) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (int i = 0; i < 16; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

bool sameDigest(const std::string& expected, const std::string& actualHex) {
  return !expected.empty() && normalised(expected) == normalised(actualHex);
}

}  // namespace model
