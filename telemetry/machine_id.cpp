#include "telemetry/machine_id.h"

#include <algorithm>
#include <cstdio>

#include "telemetry/md5.h"

namespace telemetry {

void appendAdapterAddress(const uint8_t (&address)[8], std::vector<std::wstring>& list) {
  if (std::all_of(std::begin(address), std::end(address), [](uint8_t b) { return b == 0; })) return;
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring text;
  for (int i = 0; i < 6; ++i) {
    text += kHex[address[i] >> 4];
    text += kHex[address[i] & 0x0F];
  }
  list.push_back(std::move(text));
}

std::string computeMachineId(std::vector<std::wstring> addresses) {
  if (addresses.empty()) return std::string();
  std::sort(addresses.begin(), addresses.end());
  // The hashed bytes are the ANSI form of the joined text. The entries are hexadecimal digits
  // and the separator, which every ANSI code page encodes as ASCII; anything else would be
  // unrepresentable there and becomes the code page's default character.
  std::string joined;
  for (size_t i = 0; i < addresses.size(); ++i) {
    if (i > 0) joined += '|';
    for (wchar_t c : addresses[i]) joined += (c > 0 && c < 0x80) ? static_cast<char>(c) : '?';
  }
  std::string digest;
  if (!md5Hex(joined.data(), static_cast<int>(joined.size()), digest)) return std::string();
  if (addresses.size() == 1) return digest;
  char prefix[24];
  std::snprintf(prefix, sizeof(prefix), "%x-", static_cast<unsigned>(addresses.size()));
  return prefix + digest;
}

}  // namespace telemetry
