#include "telemetry/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string hexOf(const uint8_t* digest) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < 16; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 0x0F];
  }
  return text;
}

struct Vector {
  std::string message;
  const char* digest;
};

// The test suite of RFC 1321, appendix A.5.
const Vector kRfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

}  // namespace

TEST(Md5Hex, RfcTestSuite) {
  for (const Vector& v : kRfcSuite) {
    std::string out;
    if (v.message.empty()) {
      // md5Hex refuses empty input; the digest itself must still be right.
      telemetry::Md5 md5;
      EXPECT_EQ(hexOf(md5.finish()), v.digest);
      continue;
    }
    ASSERT_TRUE(telemetry::md5Hex(v.message.data(), static_cast<int>(v.message.size()), out)) << v.message;
    EXPECT_EQ(out, v.digest) << v.message;
  }
}

TEST(Md5Hex, RefusesMissingOrEmptyDataAndLeavesOutputAlone) {
  std::string out = "before";
  EXPECT_FALSE(telemetry::md5Hex(nullptr, 3, out));
  EXPECT_FALSE(telemetry::md5Hex("abc", 0, out));
  EXPECT_FALSE(telemetry::md5Hex("abc", -1, out));
  EXPECT_EQ(out, "before");
}

// Padding and the bit count take a second block when the message ends 56..63 bytes into one;
// pieces fed separately must give the digest of the whole.
TEST(Md5, PiecesAndBlockBoundariesGiveTheDigestOfTheWhole) {
  std::string million(1000000, 'a');
  std::string whole;
  ASSERT_TRUE(telemetry::md5Hex(million.data(), static_cast<int>(million.size()), whole));
  EXPECT_EQ(whole, "7707d6ae4e027c70eea2a935c2296f21");

  for (size_t piece : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 1000u}) {
    telemetry::Md5 md5;
    for (size_t at = 0; at < million.size(); at += piece) {
      md5.update(million.data() + at, std::min(piece, million.size() - at));
    }
    EXPECT_EQ(hexOf(md5.finish()), whole) << "pieces of " << piece;
  }

  for (size_t length = 54; length <= 66; ++length) {
    std::string message(length, 'x');
    telemetry::Md5 once;
    once.update(message.data(), length);
    telemetry::Md5 split;
    split.update(message.data(), length / 2);
    split.update(message.data() + length / 2, length - length / 2);
    EXPECT_EQ(hexOf(once.finish()), hexOf(split.finish())) << "length " << length;
  }
}
