#include "utility/ufile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/log_capture.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(RemoveFile, DeletesOrLogsTheError) {
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto file = folder.path() / "Zentrix.exe.tmp";
  zxtest::writeFile(file, "partial");
  EXPECT_TRUE(utility::ufile::removeFile(file.wstring()));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(log.taken().empty());

  EXPECT_FALSE(utility::ufile::removeFile(file.wstring()));
  EXPECT_EQ(log.textsOf("utility::ufile::removeFile"),
            std::vector<std::wstring>{L"removeFile file from [ " + file.wstring() + L" ] error = 2."});
}

TEST(FileMove, ReplacesAnExistingTargetWithFlags3) {
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto from = folder.path() / "Zentrix.exe.tmp";
  auto to = folder.path() / "Zentrix.exe";
  zxtest::writeFile(from, "new package");
  zxtest::writeFile(to, "old");
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED;
  ASSERT_EQ(flags, 3u);
  EXPECT_TRUE(utility::ufile::moveFile(from.wstring(), to.wstring(), flags));
  EXPECT_EQ(zxtest::readFile(to), "new package");
  EXPECT_FALSE(std::filesystem::exists(from));
  EXPECT_TRUE(log.taken().empty());
}

// Under Wine, Z:\dev\shm is a tmpfs, another file system than the prefix's C: drive.
TEST(FileMove, OntoAnotherVolumeCopiesOnlyWhenAllowed) {
  const std::filesystem::path otherVolume = L"Z:\\dev\\shm";
  if (!std::filesystem::is_directory(otherVolume)) GTEST_SKIP() << "no second volume";
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto from = folder.path() / "Zentrix.exe.tmp";
  auto to = otherVolume / ("zx-move-" + std::to_string(GetCurrentProcessId()) + ".exe");
  zxtest::writeFile(from, "package");

  EXPECT_FALSE(utility::ufile::moveFile(from.wstring(), to.wstring(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(log.textsOf("utility::ufile::moveFile").size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(from));

  EXPECT_TRUE(utility::ufile::moveFile(from.wstring(), to.wstring(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(zxtest::readFile(to), "package");
  EXPECT_FALSE(std::filesystem::exists(from));
  std::error_code ignored;
  std::filesystem::remove(to, ignored);
}

TEST(FileMove, FailureLogsBothPathsFlagsAndError) {
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto from = folder.path() / "missing.tmp";
  auto to = folder.path() / "target";
  EXPECT_FALSE(utility::ufile::moveFile(from.wstring(), to.wstring(), 3));
  zxtest::writeFile(from, "x");
  zxtest::writeFile(to, "y");
  EXPECT_FALSE(utility::ufile::moveFile(from.wstring(), to.wstring(), 0));  // no replace
  EXPECT_EQ(zxtest::readFile(to), "y");
  EXPECT_EQ(log.textsOf("utility::ufile::moveFile"),
            (std::vector<std::wstring>{
                L"move file from [ " + from.wstring() + L" ] to [ " + to.wstring() + L" ] flag = 3 failed! error = 2.",
                L"move file from [ " + from.wstring() + L" ] to [ " + to.wstring() + L" ] flag = 0 failed! error = 183."}));
}

TEST(MakeDir, CreatesTheChainAndAcceptsAnExistingFolder) {
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto deep = folder.path() / "Zentrix" / "Zentrix4.0" / "data";
  EXPECT_TRUE(utility::ufile::makeDir(deep.wstring()));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(utility::ufile::makeDir(deep.wstring()));
  EXPECT_TRUE(log.taken().empty());
}

TEST(MakeDir, FailureIsLogged) {
  zxtest::TempFolder folder;
  zxtest::LogCapture log;
  auto file = folder.path() / "a_file";
  zxtest::writeFile(file, "x");
  EXPECT_FALSE(utility::ufile::makeDir((file / "sub").wstring()));
  auto lines = log.textsOf("utility::ufile::makeDir");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind(L"make dir failed! error = ", 0), 0u) << lines[0];
}

}  // namespace
