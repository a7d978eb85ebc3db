// A source of response bytes, so the header reader and the chunk decoder work on a socket in
// the product and on plain memory in tests and fuzzing.
#pragma once

namespace utility {

class ByteReader {
 public:
  // Up to size bytes into buffer: the count read, 0 at the end of the stream, -1 on failure.
  virtual int read(char* buffer, int size) = 0;

 protected:
  ~ByteReader() = default;
};

}  // namespace utility
