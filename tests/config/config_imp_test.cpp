#include "config/config_imp.h"

#include <gtest/gtest.h>

#include "config/build_constants.h"
#include "tests/support/log_capture.h"

namespace {

// Runs first in its process (ctest gives every case its own): the defaults as created.
TEST(ConfigImp, DefaultsAreGeneration4International) {
  ConfigImp& config = ConfigImp::instance();
  EXPECT_EQ(&config, &ConfigImp::instance());
  EXPECT_EQ(config.regionKey(), L"en");
  EXPECT_EQ(config.adId(), L"Zentrix Installer");
  EXPECT_TRUE(config.isGeneration4());
  EXPECT_FALSE(config.isGeneration64());
  EXPECT_FALSE(config.isGeneration9());
  EXPECT_EQ(config.generation(), 4);
  EXPECT_EQ(config.productFolderName(), L"Zentrix\\Zentrix4.0\\");
  EXPECT_EQ(config.productRegistryKey(), L"Software\\Morvell\\Zentrix");
  EXPECT_EQ(config.packageFilePath(L"C:\\Zentrix\\Zentrix4.0"), L"C:\\Zentrix\\Zentrix4.0\\Zentrix.exe");
  EXPECT_EQ(config.languageBundlePath(), L"language\\downloader_en.xml");
}

TEST(ConfigImp, TablesFollowTheCurrentPair) {
  ConfigImp& config = ConfigImp::instance();
  config.setPlayer3();
  config.setRegionKey(L"cn");
  EXPECT_EQ(config.generation(), 3);
  EXPECT_EQ(config.productFolderName(), L"Halvari\\Zentrix3.0\\");
  EXPECT_EQ(config.productRegistryKey(), L"Software\\Tessane2\\vqplayer");
  EXPECT_EQ(config.defaultPackageUrl(),
            std::wstring(L"https://") + buildconst::kMainlandHost + L"/download/release/zxinst3.0.exe");
  EXPECT_EQ(config.packageFilePath(L"D:\\Halvari\\Zentrix3.0"), L"D:\\Halvari\\Zentrix3.0\\zxinst.exe");

  config.setRegionKey(L"tw");
  EXPECT_EQ(config.extraRegistryKey(), L"Software\\Tessane\\vqplayer-tw");
  config.setPlayer64();
  EXPECT_EQ(config.extraRegistryKey(), L"");
  EXPECT_EQ(config.versionDocumentUrl(), std::wstring(L"https://") + buildconst::kContentHost + L"/player_files/en/halvari");
}

TEST(ConfigImp, GenerationIsTheFirstFlagSet) {
  struct Case {
    bool is4, is64, is9;
    int generation;
  };
  const Case cases[] = {{true, true, true, 4}, {false, true, true, 64}, {false, false, true, 9}, {false, false, false, 3}};
  for (const Case& c : cases) {
    ConfigImp::instance().setGenerationFlags(c.is4, c.is64, c.is9);
    EXPECT_EQ(ConfigImp::instance().generation(), c.generation);
  }
}

TEST(ConfigImp, Generations4And64AreLogged) {
  zxtest::LogCapture log;
  ConfigImp& config = ConfigImp::instance();
  config.setPlayer9();
  EXPECT_TRUE(config.isGeneration9());
  EXPECT_EQ(config.generation(), 9);
  config.setPlayer4();
  config.setPlayer64();
  config.setPlayer3();
  auto lines = log.taken();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].function, "ConfigImp::setPlayer4");
  EXPECT_EQ(lines[0].text, L"player is 4");
  EXPECT_EQ(lines[1].function, "ConfigImp::setPlayer64");
  EXPECT_EQ(lines[1].text, L"player is 64");
}

}  // namespace
