#include "base/global_config.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

TEST(GlobalConfig, LanguageIdOfDocument) {
  struct Case {
    std::string json;
    std::string languageId;
  };
  const Case cases[] = {
      {R"({"languageId":"ko_KR"})", "ko_KR"},
      {R"({"other":1,"languageId":"de_DE","more":[1,2]})", "de_DE"},
      {"\xEF\xBB\xBF{\"languageId\":\"ja_JP\"}", "ja_JP"},  // saved with a byte-order mark
      {R"({"languageId":"\u00e9"})", "\xC3\xA9"},
      {R"({"languageId":""})", ""},
      {R"({"languageId":null})", ""},
      {R"({"languageId":7})", ""},
      {R"({"languageId":{"code":"ko_KR"}})", ""},
      {R"({"LanguageId":"ko_KR"})", ""},
      {R"(["languageId","ko_KR"])", ""},
      {R"("ko_KR")", ""},
      {R"({"languageId":"ko_KR")", ""},  // cut off
      {"not json at all", ""},
      {"", ""},
      {std::string("{\"languageId\":\"ko\0KR\"}", 22), ""},  // raw NUL inside a string is invalid JSON
  };
  for (const Case& c : cases) EXPECT_EQ(common::languageIdOfConfig(c.json), c.languageId) << c.json;
}

TEST(GlobalConfig, DeepNestingDoesNotExhaustTheStack) {
  std::string deep = "{\"a\":" + std::string(200000, '[') + std::string(200000, ']') + ",\"languageId\":\"ru_RU\"}";
  EXPECT_EQ(common::languageIdOfConfig(deep), "ru_RU");
  EXPECT_EQ(common::languageIdOfConfig(std::string(200000, '[')), "");
}

TEST(GlobalConfig, FileThatIsMissingAFolderOrHugeCountsAsAbsent) {
  zxtest::TempFolder folder;
  EXPECT_EQ(common::readConfiguredLanguageId(folder.path() / "missing.config"), "");
  EXPECT_EQ(common::readConfiguredLanguageId(folder.path()), "");

  const std::string document = R"({"languageId":"th_TH"})";
  auto atLimit = folder.path() / "at_limit.config";
  zxtest::writeFile(atLimit, document + std::string(common::kMaxGlobalConfigBytes - document.size(), ' '));
  EXPECT_EQ(common::readConfiguredLanguageId(atLimit), "th_TH");

  auto huge = folder.path() / "huge.config";
  zxtest::writeFile(huge, document + std::string(common::kMaxGlobalConfigBytes - document.size() + 1, ' '));
  EXPECT_EQ(common::readConfiguredLanguageId(huge), "");
}

TEST(GlobalConfig, PathUnderTheEmulatorFolder) {
  EXPECT_EQ(common::globalConfigPath(L"C:\\Zentrix\\"), L"C:\\Zentrix\\vms\\config/halvaris.config");
  EXPECT_EQ(common::globalConfigPath(L"C:\\Zentrix"), L"C:\\Zentrix\\vms\\config/halvaris.config");
}

}  // namespace
