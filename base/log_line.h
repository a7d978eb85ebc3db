// Composition of one log line: the fixed prefix, the message, the line end, in a fixed
// 1024-byte array. Windows-free so the limits can be tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace common {

struct LogTime {
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// A line that does not fit into kCapacity bytes including its line end is not written at all:
// a cut line would look complete to whoever reads the log.
class LogStream {
 public:
  static constexpr std::size_t kCapacity = 1024;

  LogStream(const LogTime& time, std::uint32_t threadId, const char* function, int line);
  LogStream(const LogStream&) = delete;
  LogStream& operator=(const LogStream&) = delete;

  void put(std::string_view text);
  // Appends the line end and returns the whole line, or nothing when any write overflowed.
  std::optional<std::string_view> finish();

 private:
  char buffer_[kCapacity];
  std::size_t position_ = 0;
  bool failed_ = false;
};

// Encodes UTF-16 (or UTF-32 where wchar_t is 32 bits) as UTF-8 into dest. Unpaired surrogates
// become U+FFFD, as the system conversion does. Returns the byte count, or nothing when the
// text does not fit into capacity bytes; nothing is written past dest[capacity - 1].
std::optional<std::size_t> encodeUtf8(std::wstring_view text, char* dest, std::size_t capacity);

}  // namespace common
