#include "utility/text_convert.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ToWide, LengthsAndBadInput) {
  struct Case {
    const char* bytes;
    int length;
    std::wstring expected;
  };
  const char unterminated[3] = {'a', 'b', 'c'};
  const Case cases[] = {
      {nullptr, -1, L""},
      {nullptr, 3, L""},
      {"", -1, L""},
      {"", 0, L""},
      {"abc", -1, L"abc"},  // the counted NUL is dropped
      {"abc", 2, L"ab"},
      {"abc", -2, L""},
      {unterminated, 3, L"abc"},  // an exact length reads no further
      {"a\0b", 3, std::wstring(L"a\0b", 3)},
      {"\xC3\xA9\xE4\xB8\xAD", -1, L"\u00e9\u4e2d"},
      {"\xF0\x9F\x98\x80", 4, L"\U0001F600"},
      {"a\xFF" "b", 3, L"a\uFFFDb"},  // invalid sequences are replaced, not rejected
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utility::toWide(c.bytes, c.length, CP_UTF8), c.expected) << (c.bytes ? c.bytes : "(null)") << " " << c.length;
  }
}

TEST(ToBytes, LengthsAndBadInput) {
  struct Case {
    const wchar_t* text;
    int length;
    std::string expected;
  };
  const Case cases[] = {
      {nullptr, -1, ""},
      {L"", -1, ""},
      {L"abc", -1, "abc"},
      {L"abc", 1, "a"},
      {L"abc", -5, ""},
      {L"\u00e9\u4e2d", -1, "\xC3\xA9\xE4\xB8\xAD"},
      {L"\xD800", 1, "\xEF\xBF\xBD"},  // lone surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(utility::toBytes(c.text, c.length, CP_UTF8), c.expected) << c.length;
}

TEST(TextConvert, RoundTripsAndAnsiToUtf8) {
  const std::wstring text = L"Zentrix \u00e9\u00e8 \u4e2d\u6587 \u0627\u0644";
  EXPECT_EQ(utility::toWide(utility::toBytes(text, CP_UTF8), CP_UTF8), text);
  EXPECT_EQ(utility::ansiToUtf8(""), "");
  EXPECT_EQ(utility::ansiToUtf8("heapsize 2048"), "heapsize 2048");
  const std::string ansi = utility::toBytes(std::wstring(L"caf\u00e9"), CP_ACP);
  // Whatever the ANSI code page, its bytes come back as that page's reading in UTF-8.
  EXPECT_EQ(utility::ansiToUtf8(ansi), utility::toBytes(utility::toWide(ansi, CP_ACP), CP_UTF8));
  EXPECT_EQ(utility::ansiToUtf8(ansi).rfind("caf", 0), 0u);
}

}  // namespace
