#include "utility/http/url.h"

#include <gtest/gtest.h>

namespace {

struct UrlCase {
  const wchar_t* url;
  const wchar_t* host;
  uint16_t port;
  const wchar_t* path;
};

TEST(ParseUrl, SplitsHostPortAndTarget) {
  const UrlCase cases[] = {{L"http://cdn.example/a/b.exe?x=1", L"cdn.example", 80, L"/a/b.exe?x=1"},
      {L"HTTPS://cdn.example:8443/p", L"cdn.example", 8443, L"/p"},
      {L"https://cdn.example/p", L"cdn.example", 443, L"/p"},
      {L"\r\nhttps://h/p", L"h", 443, L"/p"},
      {L"\r\nHTTP://h:81/p", L"h", 81, L"/p"},
                      // Without a path the whole address is the request target.
      {L"http://cdn.example", L"cdn.example", 80, L"http://cdn.example"},
      {L"http://h:8080", L"h", 8080, L"http://h:8080"},
      {L"h:81/p", L"h", 81, L"/p"},
      {L"ftp://h/p", L"ftp", 0, L"//h/p"},
                      // The port is the leading digits, truncated to 16 bits.
      {L"http://h:70000/p", L"h", 4464, L"/p"},
      {L"http://h:12ab/p", L"h", 12, L"/p"},
      {L"http://h:/p", L"h", 0, L"/p"},
      {L"", L"", 80, L""}};
  for (const UrlCase& c : cases) {
    utility::UrlParts parts = utility::parseUrl(c.url);
    EXPECT_EQ(parts.host, c.host) << c.url;
    EXPECT_EQ(parts.port, c.port) << c.url;
    EXPECT_EQ(parts.path, c.path) << c.url;
  }
}

}  // namespace
