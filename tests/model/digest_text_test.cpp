#include "model/digest_text.h"

#include <gtest/gtest.h>

#include "telemetry/md5.h"

namespace {

TEST(DigestText, FileDigestAgainstTheDocumentsText) {
  telemetry::Md5 md5;
  md5.update("ab", 2);
  md5.update("c", 1);
  const std::string hex = telemetry::digestHex(md5.finish());
  EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_TRUE(model::sameDigest(" 900150983CD24FB0D6963F7D28E17F72\n", hex));
  EXPECT_FALSE(model::sameDigest("900150983cd24fb0d6963f7d28e17f73", hex));
  EXPECT_FALSE(model::sameDigest("", hex));
}

}  // namespace
