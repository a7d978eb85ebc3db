// The display language as Windows reports it for the process's locale (under Wine, LC_ALL
// selects it). ctest runs this once per locale of the table.
#include "base/commoninit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/region_profile.h"
#include "base/region_select.h"
#include "tests/support/temp_folder.h"

namespace {

struct Case {
  const wchar_t* locale;
  const wchar_t* systemCode;
  int row;
  const wchar_t* rowCode;
};

// Keep in step with the locales registered in CMakeLists.txt.
const Case kCases[] = {
    {L"zh_TW.UTF-8", L"zh_TW", 2, L"zh_TW"}, {L"zh_CN.UTF-8", L"zh_CN", 2, L"zh_CN"},
    {L"zh_HK.UTF-8", L"zh_TW", 2, L"zh_TW"}, {L"hi_IN.UTF-8", L"hi_IN", 4, L"hi_IN"},
    {L"pl_PL.UTF-8", L"", 4, L""},           {L"en_GB.UTF-8", L"en_US", 4, L"en_US"},
    {L"ko_KR.UTF-8", L"ko_KR", 3, L"ko_KR"}, {L"id_ID.UTF-8", L"in_ID", 16, L"in_ID"},
};

TEST(DisplayLanguage, ChoosesTheRowOfTheProcessLocale) {
  wchar_t locale[64] = {};
  GetEnvironmentVariableW(L"LC_ALL", locale, 64);
  const Case* found = nullptr;
  for (const Case& c : kCases) {
    if (std::wstring(locale) == c.locale) found = &c;
  }
  ASSERT_NE(found, nullptr) << "no case for LC_ALL";

  EXPECT_EQ(common::systemLanguageCode(), found->systemCode) << std::hex << GetUserDefaultUILanguage();
  zxtest::TempFolder emptyEmulatorFolder;
  common::commoninit(L"", emptyEmulatorFolder.path().wstring());
  ASSERT_NE(common::currentRegionProfile(), nullptr);
  EXPECT_EQ(common::regionProfiles().indexOf(*common::currentRegionProfile()), found->row);
  EXPECT_STREQ(common::currentRegionProfile()->languageCode, found->rowCode);
}

}  // namespace
