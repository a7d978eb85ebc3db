#include "utility/http/response_header.h"

#include <gtest/gtest.h>

#include "tests/utility/http/memory_reader.h"

namespace {

using namespace utility;

TEST(ReadResponseHeader, StopsAtTheEmptyLineLeavingTheBody) {
  zxtest::MemoryReader reader("HTTP/1.1 200 OK\r\nA: b\r\n\r\nBODY");
  std::string text;
  ASSERT_EQ(readResponseHeader(reader, text), HeaderRead::ok);
  EXPECT_EQ(text, "HTTP/1.1 200 OK\r\nA: b\r\n\r\n");
  EXPECT_EQ(reader.consumed(), text.size());
}

TEST(ReadResponseHeader, FailsOnEndOfStreamAndOnAnEndlessHeader) {
  zxtest::MemoryReader cut("HTTP/1.1 200 OK\r\nA: b\r\n");
  std::string text;
  EXPECT_EQ(readResponseHeader(cut, text), HeaderRead::failed);
  zxtest::MemoryReader endless("HTTP/1.1 200 OK\r\n" + std::string(100, 'x'));
  text.clear();
  EXPECT_EQ(readResponseHeader(endless, text, 50), HeaderRead::tooLarge);
  EXPECT_EQ(text.size(), 50u);
}

TEST(ResponseHeader, StatusAndContentLength) {
  struct Case {
    const char* text;
    bool hasStatus;
    int status;
    int length;
  } cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 1234\r\n\r\n", true, 200, 1234},
      {"HTTP/1.1 200 OK\r\ncontent-length: 1234\r\n\r\n", true, 200, -1},
      {"HTTP/1.1 200 OK\r\nContent-Length:1234\r\n\r\n", true, 200, -1},
      {"HTTP/1.1 206 Partial\r\nX: 1\r\nContent-Length: 0\r\n\r\n", true, 206, 0},
      {"HTTP/1.1 abc\r\n\r\n", true, 0, -1},
      {"garbage\r\n\r\n", false, 0, -1},
  };
  for (const Case& c : cases) {
    int status = 0;
    EXPECT_EQ(responseStatus(c.text, status), c.hasStatus) << c.text;
    if (c.hasStatus) {
      EXPECT_EQ(status, c.status) << c.text;
    }
    EXPECT_EQ(responseContentLength(c.text), c.length) << c.text;
  }
}

TEST(ResponseHeader, HeaderValueLookup) {
  struct Case {
    const char* text;
    const char* name;
    bool found;
    const char* value;
  } cases[] = {
      {"HTTP/1.1 302 Found\r\nLocation: http://a/b\r\n\r\n", "location", true, "http://a/b"},
      {"HTTP/1.1 302 Found\r\nLOCATION:http://a/b  \r\n\r\n", "location", true, "http://a/b"},
      {"HTTP/1.1 302 Found\r\nlocation  :  x \r\n\r\n", "location", true, "x"},
      // A header whose name or value merely contains the name does not hide the real one.
      {"HTTP/1.1 302 Found\r\nContent-Location: /c\r\nX: see location\r\nLocation: /real\r\n\r\n", "location", true,
       "/real"},
      {"HTTP/1.1 302 Found\r\nLocations: x\r\n\r\n", "location", false, ""},
      {"HTTP/1.1 302 Found\r\n\r\n", "location", false, ""},
      {"HTTP/1.1 302 Found\r\nLocation: x", "location", false, ""},
  };
  for (const Case& c : cases) {
    std::string value;
    EXPECT_EQ(headerValue(c.text, c.name, value), c.found) << c.text;
    if (c.found) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(ResponseHeader, ChunkedOnlyWhenTheWholeValueSaysSo) {
  EXPECT_TRUE(isChunked("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"));
  EXPECT_TRUE(isChunked("HTTP/1.1 200 OK\r\ntransfer-encoding:CHUNKED\r\n\r\n"));
  EXPECT_FALSE(isChunked("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n"));
  EXPECT_FALSE(isChunked("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n"));
}

}  // namespace
