#include "base/log_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const common::LogTime kTime{5, 29, 14, 3, 7, 42};

std::string compose(std::uint32_t thread, const char* function, int line, const std::string& message) {
  common::LogStream stream(kTime, thread, function, line);
  stream.put(message);
  auto text = stream.finish();
  return text ? std::string(*text) : std::string("<dropped>");
}

TEST(LogLine, PrefixAndLineEnd) {
  EXPECT_EQ(compose(5804, "wWinMain", 175, "commoninit end"),
            "05-29\t14:03:07.042\t5804\twWinMain\t(175):commoninit end\r\n");
  // Thread ids take at least four digits; longer ones are not cut.
  EXPECT_EQ(compose(36, "f", 1, "x"), "05-29\t14:03:07.042\t0036\tf\t(1):x\r\n");
  EXPECT_EQ(compose(123456, "f", 1, "x"), "05-29\t14:03:07.042\t123456\tf\t(1):x\r\n");
}

TEST(LogLine, LineThatFillsTheArrayExactlyIsKeptOneByteMoreIsDropped) {
  const std::string prefix = "05-29\t14:03:07.042\t5804\tf\t(1):";
  const std::size_t room = common::LogStream::kCapacity - prefix.size() - 2;
  EXPECT_EQ(compose(5804, "f", 1, std::string(room, 'a')).size(), common::LogStream::kCapacity);
  EXPECT_EQ(compose(5804, "f", 1, std::string(room + 1, 'a')), "<dropped>");
}

TEST(LogLine, Utf8Encoding) {
  struct Case {
    std::wstring text;
    std::string utf8;
  };
  const Case cases[] = {
      {L"", ""},
      {L"abc", "abc"},
      {L"\u00e9", "\xC3\xA9"},
      {L"\u4e2d\u6587", "\xE4\xB8\xAD\xE6\x96\x87"},
      {std::wstring(1, static_cast<wchar_t>(0xDC00)), "\xEF\xBF\xBD"},  // unpaired low surrogate
  };
  for (const Case& c : cases) {
    char out[16];
    auto size = common::encodeUtf8(c.text, out, sizeof(out));
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(std::string(out, *size), c.utf8);
  }
}

TEST(LogLine, Utf8NeverWritesPastCapacity) {
  // 330 CJK characters are 990 bytes: they fit 1023 bytes but not 989.
  std::wstring chinese(330, L'\u4e2d');
  char out[1024];
  std::fill(std::begin(out), std::end(out), 'z');
  EXPECT_EQ(common::encodeUtf8(chinese, out, 1023), std::optional<std::size_t>(990));
  EXPECT_FALSE(common::encodeUtf8(chinese, out, 989).has_value());
  EXPECT_EQ(out[1023], 'z');
}

}  // namespace
