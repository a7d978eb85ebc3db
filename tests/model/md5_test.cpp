#include "model/md5.h"

#include <gtest/gtest.h>

namespace {

std::string md5Of(const std::string& text, std::size_t piece) {
  model::Md5 md5;
  for (std::size_t at = 0; at < text.size(); at += piece) md5.update(text.data() + at, std::min(piece, text.size() - at));
  return md5.hexDigest();
}

TEST(Md5, RfcVectorsWhateverThePieceSize) {
  const struct {
    std::string text;
    const char* hex;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {1u, 7u, 64u, 1000u}) EXPECT_EQ(md5Of(c.text, piece), c.hex) << c.text << " " << piece;
  }
}

TEST(Md5, DigestTextsCompareLoosely) {
  EXPECT_TRUE(model::sameDigest(" 900150983CD24FB0D6963F7D28E17F72\n", "900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_FALSE(model::sameDigest("900150983cd24fb0d6963f7d28e17f73", "900150983cd24fb0d6963f7d28e17f72"));
  EXPECT_FALSE(model::sameDigest("", "900150983cd24fb0d6963f7d28e17f72"));
}

}  // namespace
