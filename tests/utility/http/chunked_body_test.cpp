#include "utility/http/chunked_body.h"

#include <gtest/gtest.h>

#include "tests/utility/http/memory_reader.h"

namespace {

// Decodes the whole body; the pieces' sizes, and the final result (0 or -1).
struct Decoded {
  std::string data;
  std::vector<int> pieces;
  int last = 0;
};

Decoded decode(zxtest::MemoryReader& reader, int capacity = 32768) {
  utility::ChunkedBody body;
  std::vector<char> buffer(static_cast<size_t>(capacity));
  Decoded out;
  for (int guard = 0; guard < 100000; ++guard) {
    int n = body.next(reader, buffer.data(), capacity);
    if (n <= 0) {
      out.last = n;
      return out;
    }
    out.pieces.push_back(n);
    out.data.append(buffer.data(), static_cast<size_t>(n));
  }
  out.last = -2;
  return out;
}

std::string chunk(size_t size, char fill, const std::string& ext = "") {
  char line[32];
  snprintf(line, sizeof(line), "%zx", size);
  return line + ext + "\r\n" + std::string(size, fill) + "\r\n";
}

TEST(ChunkedBody, DeliversChunksWholeEvenFromManySegments) {
  for (std::vector<int> segments : {std::vector<int>{}, std::vector<int>{1}, std::vector<int>{3, 1, 7}}) {
    zxtest::MemoryReader reader("4\r\nabcd\r\n" + chunk(5000, 'x') + "0\r\n\r\n", segments);
    Decoded d = decode(reader);
    EXPECT_EQ(d.pieces, (std::vector<int>{4, 5000}));
    EXPECT_EQ(d.data, "abcd" + std::string(5000, 'x'));
    EXPECT_EQ(d.last, 0);
  }
}

TEST(ChunkedBody, LargeChunksComeInBufferSizedPieces) {
  // 0x7ffe fits the buffer with its CR LF; 0x8000 and a 100000-byte chunk do not, and are
  // handed over in pieces rather than failing (valid HTTP that common servers send).
  zxtest::MemoryReader reader(chunk(0x7ffe, 'a') + chunk(0x8000, 'b') + chunk(100000, 'c') + "0\r\n\r\n");
  Decoded d = decode(reader);
  EXPECT_EQ(d.last, 0);
  EXPECT_EQ(d.data, std::string(0x7ffe, 'a') + std::string(0x8000, 'b') + std::string(100000, 'c'));
  for (int piece : d.pieces) EXPECT_LE(piece, 32768);
}

TEST(ChunkedBody, AcceptsExtensionsUpperCaseAndLeadingZeros) {
  zxtest::MemoryReader reader("0A;name=value\r\n0123456789\r\n00000003 ; x\r\nabc\r\n0;end\r\nTrailer: t\r\n\r\n");
  Decoded d = decode(reader);
  EXPECT_EQ(d.data, "0123456789abc");
  EXPECT_EQ(d.last, 0);
}

TEST(ChunkedBody, MalformedOrCutOffBodiesFail) {
  const char* cases[] = {
      "",                               // connection ends before the last chunk
      "4\r\nabcd\r\n",                  // cut off after a whole chunk
      "4\r\nab",                        // cut off inside the data
      "4\r\nabcdXY0\r\n\r\n",           // data not followed by CR LF
      "\r\n",                           // no size
      "4x\r\nabcd\r\n0\r\n\r\n",        // junk after the size
      "-4\r\nabcd\r\n",                 // sign
      "80000000\r\n",                   // beyond 32-bit signed sizes
      "ffffffffffffffffff\r\nx\r\n",    // overflow
  };
  for (const char* text : cases) {
    zxtest::MemoryReader reader(text);
    EXPECT_EQ(decode(reader).last, -1) << text;
  }
  zxtest::MemoryReader endless(std::string(10000, '1'));
  EXPECT_EQ(decode(endless).last, -1) << "size line without end";
  zxtest::MemoryReader failing("4\r\nab", {}, true);
  EXPECT_EQ(decode(failing).last, -1);
}

TEST(ChunkedBody, StaysFinishedAfterTheLastChunk) {
  zxtest::MemoryReader reader("0\r\n\r\nHTTP/1.1 200 OK");
  utility::ChunkedBody body;
  char buffer[16];
  EXPECT_EQ(body.next(reader, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(body.next(reader, buffer, sizeof(buffer)), 0);
  EXPECT_EQ(reader.consumed(), 3u) << "the trailer is left unread";
}

}  // namespace
