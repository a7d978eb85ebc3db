#include "base/file_logger.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 3000) {
  for (int waited = 0; waited < ms; waited += 20) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

TEST(FileLogger, StopWritesWhatIsPending) {
  zxtest::TempFolder folder;
  auto path = folder.path() / "a.log";
  common::FileLogger logger(path);
  logger.append("one\r\n");
  logger.append("two\r\n");
  logger.stop();
  EXPECT_EQ(zxtest::readFile(path), "one\r\ntwo\r\n");
}

TEST(FileLogger, WritesWithinHalfASecondWithoutStop) {
  zxtest::TempFolder folder;
  auto path = folder.path() / "a.log";
  common::FileLogger logger(path);
  logger.append("line\r\n");
  EXPECT_TRUE(waitFor([&] { return zxtest::readFile(path) == "line\r\n"; }, 1500));
}

TEST(FileLogger, ExistingFileByItsFirstBytes) {
  struct Case {
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {std::string("\xFF\xFE", 2) + "o\0l\0d\0", "new\r\n"},  // UTF-16 file: started again
      {"old\r\n", "old\r\nnew\r\n"},                          // UTF-8 file: appended to
      {std::string("\xFF", 1), std::string("\xFF", 1) + "new\r\n"},
  };
  for (const Case& c : cases) {
    zxtest::TempFolder folder;
    auto path = folder.path() / "a.log";
    zxtest::writeFile(path, c.before);
    common::FileLogger logger(path);
    logger.append("new\r\n");
    logger.stop();
    EXPECT_EQ(zxtest::readFile(path), c.after);
  }
}

TEST(FileLogger, FileIsEmptiedAtFourMegabytesAndStartsAgain) {
  zxtest::TempFolder folder;
  auto path = folder.path() / "a.log";
  zxtest::writeFile(path, std::string(common::FileLogger::kTruncateAt - 4, 'x'));
  common::FileLogger logger(path);
  logger.append("reaches the limit\r\n");
  ASSERT_TRUE(waitFor([&] { return std::filesystem::file_size(path) == 0; }));
  logger.append("after\r\n");
  logger.stop();
  EXPECT_EQ(zxtest::readFile(path), "after\r\n");
}

TEST(FileLogger, FileJustBelowTheLimitIsKept) {
  zxtest::TempFolder folder;
  auto path = folder.path() / "a.log";
  zxtest::writeFile(path, std::string(common::FileLogger::kTruncateAt - 10, 'x'));
  common::FileLogger logger(path);
  logger.append("12345678");
  logger.stop();
  EXPECT_EQ(std::filesystem::file_size(path), static_cast<std::uintmax_t>(common::FileLogger::kTruncateAt - 2));
}

TEST(FileLogger, BurstDropsWhileMoreThanThresholdIsPendingButKeepsWholeLines) {
  zxtest::TempFolder folder;
  auto path = folder.path() / "a.log";
  common::FileLogger logger(path);
  const std::string line = std::string(98, 'b') + "\r\n";  // 100 bytes
  for (int i = 0; i < 2000; ++i) logger.append(line);
  logger.stop();
  std::string text = zxtest::readFile(path);
  ASSERT_EQ(text.size() % line.size(), 0u);
  std::size_t kept = text.size() / line.size();
  // The first 41 lines always fit (41 x 100 > 4096 only after the 41st); a burst of 2000
  // within microseconds cannot all pass.
  EXPECT_GE(kept, 41u);
  EXPECT_LT(kept, 2000u);
}

TEST(FileLogger, UnwritableFolderLosesLinesQuietly) {
  zxtest::TempFolder folder;
  common::FileLogger logger(folder.path() / "missing-folder" / "a.log");
  for (int i = 0; i < 100; ++i) logger.append(std::string(100, 'c'));
  logger.stop();
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing-folder"));
}

}  // namespace
