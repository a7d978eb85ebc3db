// The log calls through the real sink and file logger of this process.
#include "base/log.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_folder.h"

namespace {

// One logger per process, as in the installer; each test writes its own markers into it.
class Log : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new zxtest::TempFolder();
    path_ = folder_->path() / "test.log";
    writeLog("Log::SetUpTestSuite", __LINE__, L"before the sink %s", L"marker-no-sink");
    common::startFileLogger(path_.wstring());
    installLogSink(&logSink);
  }

  static std::vector<std::string> lines() {
    std::vector<std::string> result;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
  }

  // Writes a sentinel and waits until the writer has moved it to the file: every line
  // logged before it is then in the file too.
  static std::vector<std::string> flushedLines() {
    static int counter = 0;
    std::string sentinel = "sentinel-" + std::to_string(++counter);
    std::wstring wide(sentinel.begin(), sentinel.end());
    writeLog("Log::flush", __LINE__, L"%s", wide.c_str());
    for (int i = 0; i < 100; ++i) {
      auto all = lines();
      for (const auto& line : all) {
        if (line.find(sentinel) != std::string::npos) return all;
      }
      Sleep(50);
    }
    ADD_FAILURE() << "the writer never flushed";
    return lines();
  }

  static std::string lineWith(const std::string& marker) {
    for (const auto& line : flushedLines()) {
      if (line.find(marker) != std::string::npos) return line;
    }
    return std::string();
  }

  static zxtest::TempFolder* folder_;
  static std::filesystem::path path_;
};

zxtest::TempFolder* Log::folder_ = nullptr;
std::filesystem::path Log::path_;

TEST_F(Log, NothingBeforeTheSinkIsInstalled) { EXPECT_EQ(lineWith("marker-no-sink"), ""); }

TEST_F(Log, LineCarriesFunctionLineAndThreadAndEndsWithCrLf) {
  writeLog("Some::function", 4242, L"marker-format %d %s", 7, L"wide");
  std::string line = lineWith("marker-format");
  char expected[64];
  std::snprintf(expected, sizeof(expected), "\t%04lu\tSome::function\t(4242):marker-format 7 wide\r",
                GetCurrentThreadId());
  EXPECT_NE(line.find(expected), std::string::npos) << line;
}

TEST_F(Log, LongMessageIsCutAt511Characters) {
  std::wstring message = L"marker-long" + std::wstring(600, L'x');
  writeLog("f", 1, L"%s", message.c_str());
  std::string line = lineWith("marker-long");
  std::string text = line.substr(line.find("):") + 2);
  if (!text.empty() && text.back() == '\r') text.pop_back();
  EXPECT_EQ(text.size(), 511u);
}

TEST_F(Log, LineLongerThan1024BytesIsDropped) {
  // 330 Chinese characters are 990 bytes of UTF-8: with the prefix the line passes 1024.
  std::wstring chinese = L"marker-cjk" + std::wstring(330, L'\u4e2d');
  writeLog("f", 1, L"%s", chinese.c_str());
  std::wstring fits = L"marker-cjk-fits" + std::wstring(300, L'\u4e2d');
  writeLog("f", 1, L"%s", fits.c_str());
  auto all = flushedLines();
  int seen = 0;
  for (const auto& line : all) seen += line.find("marker-cjk") != std::string::npos;
  EXPECT_EQ(seen, 1);
  EXPECT_NE(lineWith("marker-cjk-fits"), "");
}

TEST_F(Log, FormattedTextBeyondTheBufferIsCutNotOverrun) {
  std::wstring huge(20000, L'y');
  writeLog("f", 1, L"marker-huge%s", huge.c_str());
  common::log(L"marker-huge-common%s", huge.c_str());
  EXPECT_NE(lineWith("marker-huge"), "");
}

TEST_F(Log, CommonLogUsesItsOwnNameAndLine) {
  common::log(L"marker-common %d", 5);
  EXPECT_NE(lineWith("marker-common 5").find("\tcommon::log\t(103):marker-common 5"), std::string::npos);
}

TEST_F(Log, ThreadsNeverInterleaveInsideALine) {
  constexpr int kThreads = 4;
  constexpr int kLines = 10;  // stays under the 4096 bytes that may pend, so none is dropped
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) {
        writeLog("worker", __LINE__, L"marker-thread %d tid %lu line %d end", t, GetCurrentThreadId(), i);
        Sleep(1);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  std::set<std::string> seen;
  for (const auto& line : flushedLines()) {
    auto at = line.find("marker-thread");
    if (at == std::string::npos) continue;
    unsigned long tid = 0;
    int t = 0, i = 0;
    ASSERT_EQ(std::sscanf(line.c_str() + at, "marker-thread %d tid %lu line %d end", &t, &tid, &i), 3) << line;
    char prefixTid[32];
    std::snprintf(prefixTid, sizeof(prefixTid), "\t%04lu\tworker\t", tid);
    EXPECT_NE(line.find(prefixTid), std::string::npos) << line;
    seen.insert(line.substr(at));
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kLines));
}

}  // namespace

namespace {
TEST_F(Log, LoggingKeepsTheThreadsLastError) {
  SetLastError(1234);
  writeLog("f", 1, L"marker-last-error");
  EXPECT_EQ(GetLastError(), 1234u);
}
}  // namespace
