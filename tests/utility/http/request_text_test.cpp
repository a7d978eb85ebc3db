#include "utility/http/request_text.h"

#include <gtest/gtest.h>

namespace {

using utility::buildGetRequest;
using utility::buildHeaders;
using utility::HeaderTable;

TEST(BuildHeaders, AddsDefaultsForGoodAndOrdersByName) {
  HeaderTable table;
  table[L"Range"] = L"bytes=10-";
  EXPECT_EQ(buildHeaders(table),
            L"Content-Type: application/x-www-form-urlencoded\r\nRange: bytes=10-\r\nUser-Agent: okhttp/3.5.0L\r\n");
  table.erase(L"Range");
  EXPECT_EQ(table.size(), 2u) << "defaults stay in the table for later requests";
  table[L"User-Agent"] = L"custom";
  EXPECT_EQ(buildHeaders(table), L"Content-Type: application/x-www-form-urlencoded\r\nUser-Agent: custom\r\n");
}

TEST(BuildGetRequest, ExactBytes) {
  struct Case {
    const wchar_t* extra;
    const wchar_t* expected;
  } cases[] = {
      {L"",
       L"GET /p HTTP/1.1\r\nContent-Type:application/x-www-form-urlencoded\r\nHost:h\r\n"
       L"Cache-Control:no-cache\r\nPragma:no-cache\r\nUser-Agent:okhttp/3.5.0L\r\n\r\n"},
      // The client's own block: its Content-Type and User-Agent replace the defaults.
      {L"Content-Type: application/x-www-form-urlencoded\r\nRange: bytes=5-\r\nUser-Agent: okhttp/3.5.0L\r\n",
       L"GET /p HTTP/1.1\r\nHost:h\r\nCache-Control:no-cache\r\nPragma:no-cache\r\n"
       L"Content-Type: application/x-www-form-urlencoded\r\nRange: bytes=5-\r\nUser-Agent: okhttp/3.5.0L\r\n\r\n"},
      // Extra headers without a final line break get one; the tests are case-sensitive.
      {L"X-A: 1",
       L"GET /p HTTP/1.1\r\nContent-Type:application/x-www-form-urlencoded\r\nHost:h\r\n"
       L"Cache-Control:no-cache\r\nPragma:no-cache\r\nX-A: 1\r\nUser-Agent:okhttp/3.5.0L\r\n\r\n"},
      {L"Host:other\r\nCache-Control:max-age=0\r\nuser-agent:x\r\n",
       L"GET /p HTTP/1.1\r\nContent-Type:application/x-www-form-urlencoded\r\n"
       L"Host:other\r\nCache-Control:max-age=0\r\nuser-agent:x\r\nUser-Agent:okhttp/3.5.0L\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(buildGetRequest(L"h", L"/p", c.extra), c.expected) << c.extra;
}

}  // namespace
