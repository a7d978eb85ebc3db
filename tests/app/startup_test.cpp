// The real installer started under Wine: start-up order in its log, the crash reporter
// hand-shake, the second-start hand-over, and the exit code.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "tests/support/installer_process.h"
#include "tests/support/temp_folder.h"

namespace {

std::vector<std::string> readText(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// The message part of a log line: everything after "(<line>):".
std::string messageOf(const std::string& line) {
  auto colon = line.find("):");
  return colon == std::string::npos ? line : line.substr(colon + 2);
}

std::string functionOf(const std::string& line) {
  std::size_t start = 0;
  for (int tab = 0; tab < 3; ++tab) start = line.find('\t', start) + 1;
  return line.substr(start, line.find('\t', start) - start);
}

int indexOf(const std::vector<std::string>& lines, const std::string& message) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (messageOf(lines[i]) == message) return static_cast<int>(i);
  }
  return -1;
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::remove(zxtest::installerLogPath()); }
  zxtest::TempFolder folder_;
};

TEST_F(Startup, FirstLinesInOrderAndExitFlushesTheLog) {
  zxtest::InstallerProcess installer(folder_.path(), L"ZentrixInstaller.exe");
  ASSERT_TRUE(installer.start());
  ASSERT_NE(installer.waitForWindow(), nullptr);
  EXPECT_EQ(installer.closeAndWait(), 0);

  auto lines = zxtest::readLogLines();
  ASSERT_GE(lines.size(), 4u);
  const std::regex format(R"(\d\d-\d\d\t\d\d:\d\d:\d\d\.\d\d\d\t\d{4,}\t[^\t]+\t\(\d+\):.*)");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, format)) << line;

  EXPECT_EQ(messageOf(lines[0]),
            "downloader start. version is : 2.2 *******************************************************");
  EXPECT_EQ(messageOf(lines[1]), "commoninit end");
  EXPECT_EQ(messageOf(lines[2]), "duilibInit2 end");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(functionOf(lines[i]), "wWinMain");
  EXPECT_NE(indexOf(lines, "wnd not exist"), -1);

  // The last thing the process does before it returns is ending its sibling program; that
  // line reaching the file proves the final flush.
  ASSERT_NE(indexOf(lines, "createProcess filename = [taskkill], param = [/F /IM zxcurl.exe /T], show = 0"), -1);
  EXPECT_EQ(functionOf(lines.back()), "utility::process::execute");
}

TEST_F(Startup, CrashReporterBesideTheInstallerIsArmed) {
  zxtest::InstallerProcess installer(folder_.path(), L"ZentrixInstaller.exe", {L"quelmar.dll"});
  ASSERT_TRUE(installer.start());
  ASSERT_NE(installer.waitForWindow(), nullptr);
  EXPECT_EQ(installer.closeAndWait(), 0);

  auto calls = readText(folder_.path() / "quelmar_calls.txt");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], "InitFaultsend|vqplayer|1.0|vqplayer");
  EXPECT_EQ(calls[1], "SetShowReportUI|0");
  std::string exe = installer.exePath().string();
  EXPECT_EQ(calls[2], "SetRestartExePath|" + exe);
}

TEST_F(Startup, WithoutCrashReporterTheWindowStillOpens) {
  zxtest::InstallerProcess installer(folder_.path(), L"ZentrixInstaller.exe");
  ASSERT_TRUE(installer.start());
  EXPECT_NE(installer.waitForWindow(), nullptr);
  EXPECT_EQ(installer.closeAndWait(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "quelmar_calls.txt"));
}

TEST_F(Startup, SecondStartHandsOverAndEnds) {
  zxtest::InstallerProcess first(folder_.path(), L"ZentrixInstaller.exe");
  ASSERT_TRUE(first.start());
  HWND window = first.waitForWindow();
  ASSERT_NE(window, nullptr);
  // The hand-over channel opens right after the window shows.
  ASSERT_TRUE(zxtest::waitForLogLine("player, create main window..."));
  ShowWindow(window, SW_MINIMIZE);

  zxtest::InstallerProcess second(folder_.path() / "second", L"ZentrixInstaller.exe");
  Sleep(500);
  ASSERT_TRUE(second.start());
  EXPECT_EQ(second.waitForExit(), 0);

  ASSERT_TRUE(zxtest::waitForLogLine("onHandleWindowIPC, msg = 11123"));
  ASSERT_TRUE(zxtest::waitForLogLine("11111"));  // the first window was restored
  EXPECT_EQ(first.closeAndWait(), 0);

  auto lines = zxtest::readLogLines();
  int exist = indexOf(lines, "wnd exist");
  int itsExist = indexOf(lines, "It's exist");
  ASSERT_NE(exist, -1);
  EXPECT_GT(itsExist, exist);
  int handOver = indexOf(lines, "onHandleWindowIPC, msg = 11123");
  ASSERT_NE(handOver, -1);
  bool shownAgain = false;
  for (std::size_t i = handOver + 1; i < lines.size(); ++i) {
    shownAgain = shownAgain || messageOf(lines[i]) == "player, create main window...";
  }
  EXPECT_TRUE(shownAgain);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Startup, OtherUserMessagesAreOnlyLogged) {
  zxtest::InstallerProcess installer(folder_.path(), L"ZentrixInstaller.exe");
  ASSERT_TRUE(installer.start());
  ASSERT_NE(installer.waitForWindow(), nullptr);
  ASSERT_TRUE(zxtest::waitForLogLine("player, create main window..."));
  HWND channel = nullptr;
  for (int i = 0; i < 50 && !channel; ++i, Sleep(100)) {
    channel = FindWindowExW(nullptr, nullptr, L"{0A3E7733-8B36-47AC-A87E-A23A7DD0404C}", nullptr);
  }
  ASSERT_NE(channel, nullptr);
  PostMessageW(channel, 11124, 0, 0);
  PostMessageW(channel, WM_USER, 0, 0);     // not above WM_USER: not handed on
  PostMessageW(channel, WM_USER + 1, 0, 0);
  ASSERT_TRUE(zxtest::waitForLogLine("onHandleWindowIPC, msg = 1025"));
  EXPECT_EQ(installer.closeAndWait(), 0);

  auto lines = zxtest::readLogLines();
  EXPECT_NE(indexOf(lines, "onHandleWindowIPC, msg = 11124"), -1);
  EXPECT_EQ(indexOf(lines, "onHandleWindowIPC, msg = 1024"), -1);
  int created = 0;
  for (const std::string& line : lines) created += messageOf(line) == "player, create main window...";
  EXPECT_EQ(created, 1);
}

}  // namespace
