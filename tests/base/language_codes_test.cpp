#include "base/language_codes.h"

#include <gtest/gtest.h>

namespace {

struct KeyCode {
  const wchar_t* key;
  const wchar_t* code;
};

// Every pair of both lists; "in" is Hindi, "id" Indonesian.
constexpr KeyCode kPairs[] = {
    {L"tw", L"zh_TW"}, {L"kr", L"ko_KR"}, {L"vn", L"vi_VN"}, {L"th", L"th_TH"}, {L"ru", L"ru_RU"},
    {L"pt", L"pt_PT"}, {L"tr", L"tr_TR"}, {L"es", L"es_ES"}, {L"ar", L"ar_IL"}, {L"jp", L"ja_JP"},
    {L"fa", L"fa_IR"}, {L"in", L"hi_IN"}, {L"de", L"de_DE"}, {L"fr", L"fr_FR"}, {L"id", L"in_ID"},
    {L"cn", L"zh_CN"}, {L"it", L"it_IT"}, {L"en", L"en_US"}, {L"my", L"ms_MY"}, {L"ua", L"uk_UA"},
};

TEST(LanguageCodes, EveryKeyAndCodeMapsBothWays) {
  for (const KeyCode& pair : kPairs) {
    EXPECT_EQ(common::shortToLocaleCode(pair.key), pair.code) << pair.key;
    EXPECT_EQ(common::localeToShortCode(pair.code), pair.key) << pair.code;
  }
}

TEST(LanguageCodes, UnknownInputFallsBackToEnglish) {
  for (const wchar_t* key : {L"ens", L"zh_TW", L"TW", L"", L"xx", L"usa", L"t"}) {
    EXPECT_EQ(common::shortToLocaleCode(key), L"en_US") << key;
  }
  for (const wchar_t* code : {L"xx", L"tw", L"ZH_TW", L"zh-TW", L"", L"hi_in", L"en_GB"}) {
    EXPECT_EQ(common::localeToShortCode(code), L"en") << code;
  }
}

TEST(LanguageCodes, WindowsLanguageIds) {
  struct Case {
    unsigned short id;
    const wchar_t* code;
  };
  const Case cases[] = {
      // Chinese: only the traditional-script ids are Taiwan's.
      {0x0404, L"zh_TW"}, {0x0C04, L"zh_TW"}, {0x1404, L"zh_TW"}, {0x7C04, L"zh_TW"},
      {0x0804, L"zh_CN"}, {0x1004, L"zh_CN"}, {0x0004, L"zh_CN"}, {0x7804, L"zh_CN"},
      // Sublanguages other than the first map by their primary language.
      {0x0809, L"en_US"}, {0x0409, L"en_US"}, {0x0C0A, L"es_ES"}, {0x0416, L"pt_PT"}, {0x0801, L"ar_IL"},
      {0x0407, L"de_DE"}, {0x040C, L"fr_FR"}, {0x0410, L"it_IT"}, {0x0411, L"ja_JP"}, {0x0412, L"ko_KR"},
      {0x0419, L"ru_RU"}, {0x041E, L"th_TH"}, {0x041F, L"tr_TR"}, {0x0421, L"in_ID"}, {0x0422, L"uk_UA"},
      {0x0429, L"fa_IR"}, {0x042A, L"vi_VN"}, {0x0439, L"hi_IN"}, {0x043E, L"ms_MY"},
      // No locale code: Polish, Dutch, neutral.
      {0x0415, L""}, {0x0413, L""}, {0x0000, L""},
  };
  for (const Case& c : cases) EXPECT_EQ(common::localeCodeOfLanguageId(c.id), c.code) << std::hex << c.id;
}

}  // namespace
