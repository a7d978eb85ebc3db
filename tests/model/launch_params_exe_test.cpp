// The real installer under Wine, copied under the file names of the launch-parameter cases and
// started with and without a command line: what it read is in its log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/installer_process.h"
#include "tests/support/temp_folder.h"

namespace {

// "function\t(line):message" of a log line, reduced to "function: message".
std::string entryOf(const std::string& line) {
  std::size_t start = 0;
  for (int tab = 0; tab < 3 && start != std::string::npos; ++tab) start = line.find('\t', start) + 1;
  std::size_t tab = line.find('\t', start);
  std::size_t colon = line.find("):", tab);
  if (tab == std::string::npos || colon == std::string::npos) return line;
  return line.substr(start, tab - start) + ": " + line.substr(colon + 2);
}

// Runs the installer under the name, closes its window, and returns its log entries.
std::vector<std::string> runAs(const std::wstring& fileName, const std::wstring& arguments = L"") {
  std::filesystem::remove(zxtest::installerLogPath());
  zxtest::TempFolder folder;
  zxtest::InstallerProcess installer(folder.path(), fileName);
  std::vector<std::string> entries;
  if (!installer.start(arguments) || !installer.waitForWindow()) return entries;
  installer.closeAndWait();
  for (const std::string& line : zxtest::readLogLines()) entries.push_back(entryOf(line));
  return entries;
}

bool has(const std::vector<std::string>& entries, const std::string& entry) {
  for (const std::string& e : entries) {
    if (e == entry) return true;
  }
  return false;
}

int countStarting(const std::vector<std::string>& entries, const std::string& prefix) {
  int n = 0;
  for (const std::string& e : entries) n += e.compare(0, prefix.size(), prefix) == 0;
  return n;
}

TEST(LaunchParamsExe, FileNamesInTheLog) {
  const struct {
    const wchar_t* fileName;
    std::vector<std::string> expected;
    std::vector<std::string> absent;
  } cases[] = {
      {L"Zentrix9_tw_1234_abc.exe",
       {"DownloaderModel::init: DownloaderModel exe filename= Zentrix9_tw_1234_abc",
        "DownloaderModel::init: type: Zentrix9, package:, openID:1234 google id ",
        "DownloaderModel::init: type: Zentrix9, package:, openID:1234",
        "DownloaderModel::init: openid is 1234, package is ", "DownloaderModel::init: ad id : Zentrix Installer"},
       {"ConfigImp::setPlayer4: player is 4", "ConfigImp::setPlayer64: player is 64"}},
      {L"zentrix64_kr_com.example.game_2050_G-123_x.exe",
       {"DownloaderModel::init: type: zentrix64, package:com.example.game, openID:2050 google id G-123",
        "ConfigImp::setPlayer64: player is 64",
        "DownloaderModel::init: openid is 2050, package is com.example.game",
        "DownloaderModel::init: ad id : Zentrix Installer_200"},
       {}},
      {L"zentrix4_en_2100_ab_cd_tail.exe",
       {"DownloaderModel::init: type: zentrix4, package:, openID:2100 google id ab_cd",
        "ConfigImp::setPlayer4: player is 4", "DownloaderModel::init: ad id : Zentrix Installer_200"},
       {}},
      {L"Setup.exe",
       {"DownloaderModel::init: DownloaderModel exe filename= Setup",
        "DownloaderModel::init: openid is 100, package is ", "DownloaderModel::init: ad id : Zentrix Installer"},
       {}},
      {L"zentrix4_en_3000.exe",
       {"DownloaderModel::init: openid is 100, package is ", "DownloaderModel::init: ad id : Zentrix Installer"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fileName, c.fileName + wcslen(c.fileName)));
    auto entries = runAs(c.fileName);
    ASSERT_FALSE(entries.empty());
    for (const std::string& entry : c.expected) EXPECT_TRUE(has(entries, entry)) << entry;
    for (const std::string& entry : c.absent) EXPECT_FALSE(has(entries, entry)) << entry;
    EXPECT_EQ(countStarting(entries, "DownloaderModel::init: ad id : "), 1);
    // The install folder is chosen before the ad id is written, the version query after it.
    EXPECT_EQ(countStarting(entries, "DownloaderModel::_calcInstallPath: read from reg: path is "), 1);
    EXPECT_TRUE(has(entries, "DownloaderModel::_threadGetPlayerUrl: start get player url"));
  }
}

TEST(LaunchParamsExe, CommandLines) {
  auto entries = runAs(L"ZentrixInstaller.exe", L"\"name=Game One|PACKAGE=com.g|apkurl=http://h/a?x=1=2\"");
  EXPECT_TRUE(has(entries, "DownloaderModel::init: cmdline is Game One, com.g, http://h/a?x=1=2"));

  entries = runAs(L"ZentrixInstaller.exe", L"name=G|package=com.g");
  EXPECT_TRUE(has(entries, "DownloaderModel::init: cmdline is G, com.g, "));

  // No pair at all: no line.
  entries = runAs(L"ZentrixInstaller.exe", L"just-words");
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(countStarting(entries, "DownloaderModel::init: cmdline is "), 0);
}

}  // namespace
