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

bool sameDigest(const std::string& expected, const std::string& actualHex) {
  return !expected.empty() && normalised(expected) == normalised(actualHex);
}

}  // namespace model
