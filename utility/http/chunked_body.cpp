#include "utility/http/chunked_body.h"

#include <string>

namespace utility {

namespace {
// Long enough for a size with any extension a server sends; a line beyond it is garbage.
constexpr size_t kMaxSizeLine = 4096;
// Sizes and counts are 32-bit signed throughout the client.
constexpr long long kMaxChunk = 0x7FFFFFFF;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

bool ChunkedBody::readExactly(ByteReader& reader, char* buffer, int size) {
  int got = 0;
  while (got < size) {
    int n = reader.read(buffer + got, size - got);
    if (n < 1) return false;
    got += n;
  }
  return true;
}

bool ChunkedBody::readSizeLine(ByteReader& reader) {
  std::string line;
  while (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) {
    if (line.size() >= kMaxSizeLine) return false;
    char byte = 0;
    if (reader.read(&byte, 1) < 1) return false;
    line.push_back(byte);
  }
  line.resize(line.size() - 2);
  long long size = 0;
  size_t i = 0;
  for (; i < line.size() && hexValue(line[i]) >= 0; ++i) {
    size = size * 16 + hexValue(line[i]);
    if (size > kMaxChunk) return false;
  }
  if (i == 0) return false;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i < line.size() && line[i] != ';') return false;
  remaining_ = size;
  if (size == 0) finished_ = true;
  return true;
}

int ChunkedBody::next(ByteReader& reader, char* buffer, int capacity) {
  if (failed_ || capacity < 1) return -1;
  if (finished_) return 0;
  if (remaining_ == 0 && !readSizeLine(reader)) {
    failed_ = true;
    return -1;
  }
  // The final chunk's trailer lines are left unread: nothing follows on this connection.
  if (finished_) return 0;
  int piece = remaining_ < capacity ? static_cast<int>(remaining_) : capacity;
  if (!readExactly(reader, buffer, piece)) {
    failed_ = true;
    return -1;
  }
  remaining_ -= piece;
  if (remaining_ == 0) {
    char crlf[2];
    if (!readExactly(reader, crlf, 2) || crlf[0] != '\r' || crlf[1] != '\n') {
      failed_ = true;
      return -1;
    }
  }
  return piece;
}

}  // namespace utility
