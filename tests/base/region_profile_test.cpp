#include "base/region_profile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using common::RegionProfileTable;

std::wstring codeOf(const common::RegionProfile& profile) { return profile.languageCode; }

TEST(RegionProfileTable, RowsInOrder) {
  const wchar_t* expected[] = {L"zh_CN", L"zh_CN", L"zh_TW", L"ko_KR", L"en_US", L"ja_JP", L"tr_TR",
                               L"ru_RU", L"vi_VN", L"th_TH", L"pt_PT", L"es_ES", L"ar_IL", L"fa_IR",
                               L"de_DE", L"fr_FR", L"in_ID", L"it_IT", L"ms_MY", L"uk_UA"};
  RegionProfileTable table;
  for (int i = 0; i < RegionProfileTable::kRowCount; ++i) EXPECT_EQ(codeOf(table.row(i)), expected[i]) << i;
}

TEST(RegionProfileTable, FindGivesTheRowOfItsOwnCode) {
  RegionProfileTable table;
  for (const wchar_t* code : {L"zh_TW", L"ko_KR", L"vi_VN", L"th_TH", L"ru_RU", L"pt_PT", L"tr_TR", L"es_ES", L"fr_FR",
                              L"de_DE", L"ja_JP", L"in_ID", L"ar_IL", L"it_IT", L"ms_MY", L"uk_UA", L"fa_IR"}) {
    const common::RegionProfile* row = table.find(code);
    ASSERT_NE(row, nullptr) << code;
    EXPECT_EQ(codeOf(*row), code);
    EXPECT_GE(table.indexOf(*row), 2) << code;  // the two mainland rows are never found
  }
  for (const wchar_t* code : {L"en_US", L"hi_IN", L"", L"zh_tw", L"ZH_CN", L"xx"}) {
    EXPECT_EQ(table.find(code), nullptr) << code;
  }
}

TEST(RegionProfileTable, SimplifiedChineseIsServedByTheTaiwanRow) {
  RegionProfileTable table;
  const common::RegionProfile* row = table.find(L"zh_CN");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(table.indexOf(*row), RegionProfileTable::kChineseRow);
  EXPECT_EQ(codeOf(*row), L"zh_CN");
}

TEST(RegionProfileTable, CodesWithoutARowLandOnTheEnglishRowCarryingTheCode) {
  struct Case {
    const wchar_t* code;
    int row;
    const wchar_t* carried;
  };
  const Case cases[] = {
      {L"ko_KR", 3, L"ko_KR"}, {L"zh_TW", 2, L"zh_TW"}, {L"zh_CN", 2, L"zh_CN"},
      {L"en_US", 4, L"en_US"}, {L"hi_IN", 4, L"hi_IN"}, {L"", 4, L""},
  };
  for (const Case& c : cases) {
    RegionProfileTable table;
    const common::RegionProfile& chosen = table.choose(c.code);
    EXPECT_EQ(table.indexOf(chosen), c.row) << c.code;
    EXPECT_EQ(codeOf(chosen), c.carried) << c.code;
  }
}

TEST(RegionProfileTable, FirstCodeCarriedByTheEnglishRowStays) {
  RegionProfileTable table;
  table.choose(L"hi_IN");
  EXPECT_EQ(codeOf(table.choose(L"")), L"hi_IN");
  EXPECT_EQ(codeOf(table.choose(L"pl_PL")), L"hi_IN");
  EXPECT_EQ(codeOf(table.choose(L"en_US")), L"hi_IN");
}

TEST(PickLanguageCode, ConfigurationThenOverrideThenDisplayLanguage) {
  int asked = 0;
  auto system = [&] {
    ++asked;
    return std::wstring(L"ja_JP");
  };
  EXPECT_EQ(common::pickLanguageCode(L"ko_KR", L"de_DE", system), L"ko_KR");
  EXPECT_EQ(common::pickLanguageCode(L"", L"de_DE", system), L"de_DE");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(common::pickLanguageCode(L"", L"", system), L"ja_JP");
  EXPECT_EQ(asked, 1);
}

}  // namespace
