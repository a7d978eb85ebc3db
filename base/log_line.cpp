#include "base/log_line.h"

#include <cstdio>
#include <cstring>

namespace common {

LogStream::LogStream(const LogTime& time, std::uint32_t threadId, const char* function, int line) {
  int written = std::snprintf(buffer_, kCapacity, "%02d-%02d\t%02d:%02d:%02d.%03d\t%04d\t%s\t(%d):", time.month,
                              time.day, time.hour, time.minute, time.second, time.millisecond,
                              static_cast<int>(threadId), function ? function : "", line);
  if (written < 0 || static_cast<std::size_t>(written) >= kCapacity) {
    failed_ = true;
  } else {
    position_ = static_cast<std::size_t>(written);
  }
}

void LogStream::put(std::string_view text) {
  if (failed_) return;
  if (text.size() > kCapacity - position_) {
    failed_ = true;
    return;
  }
  std::memcpy(buffer_ + position_, text.data(), text.size());
  position_ += text.size();
}

std::optional<std::string_view> LogStream::finish() {
  put("\r\n");
  if (failed_) return std::nullopt;
  return std::string_view(buffer_, position_);
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Reads one code point, advancing index; pairs surrogates when wchar_t is 16 bits wide.
char32_t nextCodePoint(std::wstring_view text, std::size_t& index) {
  char32_t c = static_cast<char32_t>(text[index++]);
  if constexpr (sizeof(wchar_t) == 2) {
    c &= 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (index < text.size()) {
        char32_t low = static_cast<char32_t>(text[index]) & 0xFFFF;
        if (low >= 0xDC00 && low <= 0xDFFF) {
          ++index;
          return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
      }
      return kReplacement;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) return kReplacement;
    return c;
  } else {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kReplacement;
    return c;
  }
}

}  // namespace

std::optional<std::size_t> encodeUtf8(std::wstring_view text, char* dest, std::size_t capacity) {
  std::size_t out = 0;
  std::size_t index = 0;
  while (index < text.size()) {
    char32_t c = nextCodePoint(text, index);
    char bytes[4];
    std::size_t n;
    if (c < 0x80) {
      bytes[0] = static_cast<char>(c);
      n = 1;
    } else if (c < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (c >> 6));
      bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
      n = 2;
    } else if (c < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (c >> 12));
      bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
      n = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (c >> 18));
      bytes[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes[3] = static_cast<char>(0x80 | (c & 0x3F));
      n = 4;
    }
    if (n > capacity - out) return std::nullopt;
    std::memcpy(dest + out, bytes, n);
    out += n;
  }
  return out;
}

}  // namespace common
