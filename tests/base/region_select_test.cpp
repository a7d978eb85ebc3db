// The start-up choice of the region profile through commoninit, with the global configuration
// in a temporary emulator folder. Runs under LC_ALL=ja_JP.UTF-8, so the display language is
// Japanese (row 5).
#include "base/commoninit.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/global_config.h"
#include "base/region_profile.h"
#include "base/region_select.h"
#include "tests/support/temp_folder.h"

namespace {

class RegionSelect : public testing::Test {
 protected:
  void writeConfig(const std::string& bytes) {
    auto folder = emulator_.path() / "vms" / "config";
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / "halvaris.config", std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::wstring emulatorFolder() const { return emulator_.path().wstring() + L"\\"; }

  static int rowOf(const common::RegionProfile& profile) { return common::regionProfiles().indexOf(profile); }

  zxtest::TempFolder emulator_;
};

TEST_F(RegionSelect, GlobalConfigurationWinsOverTheDisplayLanguage) {
  writeConfig(R"({"version":"9.0","languageId":"ko_KR"})");
  common::commoninit(L"", emulatorFolder());
  EXPECT_EQ(common::moduleId(), 8);
  ASSERT_NE(common::currentRegionProfile(), nullptr);
  EXPECT_EQ(rowOf(*common::currentRegionProfile()), 3);
  EXPECT_STREQ(common::currentRegionProfile()->languageCode, L"ko_KR");
}

TEST_F(RegionSelect, WithoutAConfigurationTheDisplayLanguageDecides) {
  common::commoninit(L"", emulatorFolder());
  ASSERT_NE(common::currentRegionProfile(), nullptr);
  EXPECT_EQ(rowOf(*common::currentRegionProfile()), 5);
  EXPECT_STREQ(common::currentRegionProfile()->languageCode, L"ja_JP");
}

TEST_F(RegionSelect, UnusableConfigurationCountsAsAbsent) {
  common::commoninit(L"", emulatorFolder());
  const std::string document = R"({"languageId":"ko_KR"})";
  const std::string contents[] = {
      "not json",
      R"(["languageId","ko_KR"])",
      R"({"languageId":82})",
      R"({"languageId":null})",
      std::string(300000, '['),
      document + std::string(common::kMaxGlobalConfigBytes, ' '),
  };
  for (const std::string& content : contents) {
    writeConfig(content);
    EXPECT_EQ(rowOf(common::resolveRegionProfile(L"")), 5) << content.substr(0, 40);
    EXPECT_EQ(rowOf(common::resolveRegionProfile(L"de_DE")), 14) << content.substr(0, 40);
  }
}

}  // namespace
