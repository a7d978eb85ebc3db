// A ByteReader over fixed bytes that hands them out in segments of chosen sizes, as TCP
// delivers them, for the header and chunk decoder tests and fuzz targets.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "utility/http/byte_reader.h"

namespace zxtest {

class MemoryReader final : public utility::ByteReader {
 public:
  explicit MemoryReader(std::string bytes, std::vector<int> segments = {}, bool failAtEnd = false)
      : bytes_(std::move(bytes)), segments_(std::move(segments)), failAtEnd_(failAtEnd) {}

  int read(char* buffer, int size) override {
    if (pos_ >= bytes_.size()) return failAtEnd_ ? -1 : 0;
    int segment = segments_.empty() ? size : segments_[calls_++ % segments_.size()];
    size_t n = std::min({static_cast<size_t>(size), static_cast<size_t>(std::max(segment, 1)), bytes_.size() - pos_});
    std::copy_n(bytes_.data() + pos_, n, buffer);
    pos_ += n;
    return static_cast<int>(n);
  }
  size_t consumed() const { return pos_; }

 private:
  std::string bytes_;
  std::vector<int> segments_;
  bool failAtEnd_;
  size_t pos_ = 0;
  size_t calls_ = 0;
};

}  // namespace zxtest
