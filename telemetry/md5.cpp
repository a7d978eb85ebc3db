#include "telemetry/md5.h"

#include <cstring>

namespace telemetry {
namespace {

constexpr uint32_t rotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// Per-step shift amounts and the sine-derived constants of the four rounds.
constexpr int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

// Bytes are little-endian on the wire of the algorithm whatever the machine's byte order.
void encode(uint8_t* out, const uint32_t* in, size_t words) {
  for (size_t i = 0; i < words; ++i) {
    out[i * 4] = static_cast<uint8_t>(in[i]);
    out[i * 4 + 1] = static_cast<uint8_t>(in[i] >> 8);
    out[i * 4 + 2] = static_cast<uint8_t>(in[i] >> 16);
    out[i * 4 + 3] = static_cast<uint8_t>(in[i] >> 24);
  }
}

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, count_{0, 0}, buffer_{}, digest_{} {}

void Md5::transform(const uint8_t block[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = static_cast<uint32_t>(block[i * 4]) | (static_cast<uint32_t>(block[i * 4 + 1]) << 8) |
           (static_cast<uint32_t>(block[i * 4 + 2]) << 16) | (static_cast<uint32_t>(block[i * 4 + 3]) << 24);
  }
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  for (int step = 0; step < 64; ++step) {
    uint32_t f;
    int word;
    switch (step / 16) {
      case 0:
        f = (b & c) | (~b & d);
        word = step;
        break;
      case 1:
        f = (b & d) | (c & ~d);
        word = (5 * step + 1) % 16;
        break;
      case 2:
        f = b ^ c ^ d;
        word = (3 * step + 5) % 16;
        break;
      default:
        f = c ^ (b | ~d);
        word = (7 * step) % 16;
        break;
    }
    uint32_t next = b + rotateLeft(a + f + x[word] + kSine[step], kShift[step]);
    a = d;
    d = c;
    c = b;
    b = next;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void Md5::update(const void* data, size_t length) {
  if (finished_ || length == 0) return;
  const uint8_t* input = static_cast<const uint8_t*>(data);
  size_t used = (count_[0] >> 3) & 0x3F;
  // The bit count is 64 bits wide (modulo 2^64), kept as two halves; carry by hand.
  uint64_t bits = static_cast<uint64_t>(length) << 3;
  uint32_t low = count_[0] + static_cast<uint32_t>(bits);
  if (low < count_[0]) ++count_[1];
  count_[0] = low;
  count_[1] += static_cast<uint32_t>(bits >> 32);

  size_t room = 64 - used;
  size_t i = 0;
  if (length >= room) {
    std::memcpy(buffer_ + used, input, room);
    transform(buffer_);
    for (i = room; i + 63 < length; i += 64) transform(input + i);
    used = 0;
  }
  std::memcpy(buffer_ + used, input + i, length - i);
}

const uint8_t* Md5::finish() {
  if (finished_) return digest_;
  uint8_t bitCount[8];
  encode(bitCount, count_, 2);
  static const uint8_t kPadding[64] = {0x80};
  size_t used = (count_[0] >> 3) & 0x3F;
  size_t padLength = used < 56 ? 56 - used : 120 - used;
  update(kPadding, padLength);
  update(bitCount, 8);
  encode(digest_, state_, 4);
  finished_ = true;
  return digest_;
}

std::string digestHex(const uint8_t digest[16]) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (int i = 0; i < 16; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 0x0F];
  }
  return text;
}

bool md5Hex(const void* data, int length, std::string& out) {
  if (!data || length <= 0) return false;
  Md5 md5;
  md5.update(data, static_cast<size_t>(length));
  out = digestHex(md5.finish());
  return true;
}

}  // namespace telemetry
