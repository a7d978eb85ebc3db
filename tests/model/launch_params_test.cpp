// The launch parameters a file name and a command line carry.
#include "model/launch_params.h"

#include <gtest/gtest.h>

namespace {

using model::FileNameParams;

struct NameCase {
  const wchar_t* path;
  bool carries;
  const wchar_t* type;
  const wchar_t* key;
  const wchar_t* package;
  const wchar_t* openid;
  const wchar_t* googleId;
};

TEST(LaunchParams, FileNameLayouts) {
  const NameCase cases[] = {
      {L"C:\\dl\\Zentrix9_tw_1234_abc.exe", true, L"Zentrix9", L"tw", L"", L"1234", L""},
      // The extension is cut at the last dot only, so the package keeps its dots.
      {L"C:\\dl\\zentrix64_kr_com.example.game_2050_G-123_x.exe", true, L"zentrix64", L"kr", L"com.example.game",
       L"2050", L"G-123"},
      {L"zentrix4_en_2100_ab_cd_tail.exe", true, L"zentrix4", L"en", L"", L"2100", L"ab_cd"},
      {L"C:/dl/zentrix4_ens_100_x.exe", true, L"zentrix4", L"ens", L"", L"100", L""},
      {L"Setup.exe", false},
      {L"a_b_c.exe", false},
      // Empty parts stay in place and count as all digits.
      {L"zentrix4_en__g1_tail.exe", true, L"zentrix4", L"en", L"", L"", L"g1"},
      {L"zentrix4_ en _ 77 _x.exe", true, L"zentrix4", L"en", L"", L"77", L""},
      // A backslash wins over a later forward slash when both are present.
      {L"C:\\dl/x\\zentrix3_cn_5_y", true, L"zentrix3", L"cn", L"", L"5", L""},
      {L"zentrix4_en_pkg.name_9_g1_g2_tail.exe", true, L"zentrix4", L"en", L"pkg.name", L"9", L"g1_g2"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.path, c.path + wcslen(c.path)));
    FileNameParams params;
    ASSERT_EQ(model::parseFileNameParams(model::ownFileBaseName(c.path), params), c.carries);
    if (!c.carries) continue;
    EXPECT_EQ(params.type, c.type);
    EXPECT_EQ(params.key, c.key);
    EXPECT_EQ(params.package, c.package);
    EXPECT_EQ(params.openid, c.openid);
    EXPECT_EQ(params.googleId, c.googleId);
  }
}

TEST(LaunchParams, GenerationNamesIgnoreLetterCase) {
  model::Generation generation = model::Generation::kGen4;
  EXPECT_TRUE(model::generationFromType(L"ZENTRIX64", generation));
  EXPECT_EQ(generation, model::Generation::kGen64);
  EXPECT_TRUE(model::generationFromType(L"Zentrix9", generation));
  EXPECT_EQ(generation, model::Generation::kGen9);
  EXPECT_TRUE(model::generationFromType(L"zentrix3", generation));
  EXPECT_EQ(generation, model::Generation::kGen3);
  EXPECT_TRUE(model::generationFromType(L"zentrix4", generation));
  EXPECT_EQ(generation, model::Generation::kGen4);
  EXPECT_FALSE(model::generationFromType(L"zentrix5", generation));
  EXPECT_FALSE(model::generationFromType(L"zentrix", generation));
  EXPECT_EQ(generation, model::Generation::kGen4);
}

TEST(LaunchParams, PartnerAdChannelRange) {
  EXPECT_FALSE(model::isPartnerAdChannel(L"2000"));
  EXPECT_TRUE(model::isPartnerAdChannel(L"2001"));
  EXPECT_TRUE(model::isPartnerAdChannel(L"2999"));
  EXPECT_FALSE(model::isPartnerAdChannel(L"3000"));
  EXPECT_TRUE(model::isPartnerAdChannel(L" +2050abc"));
  EXPECT_FALSE(model::isPartnerAdChannel(L""));
  EXPECT_FALSE(model::isPartnerAdChannel(L"100"));
}

TEST(LaunchParams, CommandLinePairs) {
  auto pairs = model::parseCommandLinePairs(L"\"name=Game One|PACKAGE=com.x.y |apkurl=http://h/a?x=1&y=2\"");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[L"name"], L"Game One");
  EXPECT_EQ(pairs[L"package"], L"com.x.y");
  EXPECT_EQ(pairs[L"apkurl"], L"http://h/a?x=1&y=2");

  // Pairs without "=" or with an empty key are skipped; a later key replaces an earlier one.
  pairs = model::parseCommandLinePairs(L"junk| =v|name=a|Name=b||x");
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[L"name"], L"b");

  // Five characters or fewer keep their quotes.
  pairs = model::parseCommandLinePairs(L"\"a=b\"");
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[L"\"a"], L"b\"");

  EXPECT_TRUE(model::parseCommandLinePairs(L"").empty());
  EXPECT_TRUE(model::parseCommandLinePairs(L"\"\"").empty());
}

}  // namespace
