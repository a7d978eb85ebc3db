// Decoder of a chunked response body, fed from the connection one read at a time.
#pragma once

#include "utility/http/byte_reader.h"

namespace utility {

class ChunkedBody {
 public:
  // The next piece of body data into buffer (at most capacity bytes): its size, 0 once the
  // last chunk has arrived, -1 on a malformed chunk, a failed read or a connection that ends
  // before the last chunk (a cut-off body must not pass for a complete one).
  //
  // Chunks larger than the buffer are delivered in several pieces, and chunk extensions are
  // skipped: both are valid HTTP that common servers send.
  int next(ByteReader& reader, char* buffer, int capacity);

 private:
  bool readSizeLine(ByteReader& reader);
  static bool readExactly(ByteReader& reader, char* buffer, int size);

  long long remaining_ = 0;  // data bytes of the current chunk not yet delivered
  bool finished_ = false;
  bool failed_ = false;
};

}  // namespace utility
