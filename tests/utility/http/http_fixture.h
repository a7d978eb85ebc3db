// Shared pieces of the download client tests: a folder of files for the vendor host, a
// progress sink that records what it saw, and a worker thread to attach.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstdarg>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/support/vendor_host.h"
#include "base/log.h"
#include "utility/http/http_client_wrapper.h"

namespace zxtest {

inline std::string randomBytes(size_t size, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

struct RecordingProgress : utility::CHttpClientWrapper::IHttpDownloadSink {
  struct Call {
    int size, received, total;
  };
  bool onDownloadProgress(const char*, int size, int received, int total) override {
    calls.push_back({size, received, total});
    return refuseAfter < 0 || static_cast<int>(calls.size()) <= refuseAfter;
  }
  bool onDownloadFinished() override {
    ++finished;
    return true;
  }
  std::vector<Call> calls;
  int finished = 0;
  int refuseAfter = -1;
};

// Collects the log lines written while it lives, as "function: text".
class LogCapture {
 public:
  LogCapture() {
    lines().clear();
    installLogSink(&LogCapture::sink);
  }
  ~LogCapture() { installLogSink(nullptr); }

  bool contains(const std::wstring& line) const {
    std::lock_guard<std::mutex> lock(mutex());
    for (const auto& l : lines()) {
      if (l == line) return true;
    }
    return false;
  }
  int countStartingWith(const std::wstring& prefix) const {
    std::lock_guard<std::mutex> lock(mutex());
    int n = 0;
    for (const auto& l : lines()) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
  }

 private:
  static std::vector<std::wstring>& lines() {
    static std::vector<std::wstring> all;
    return all;
  }
  static std::mutex& mutex() {
    static std::mutex m;
    return m;
  }
  static void sink(const char* function, int, const wchar_t* format, ...) {
    wchar_t text[8192];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, 8191, format, args);
    va_end(args);
    text[8191] = L'\0';
    std::wstring line(function, function + strlen(function));
    std::lock_guard<std::mutex> lock(mutex());
    lines().push_back(line + L": " + text);
  }
};

// Files served by the host: "/pkg.bin" (200 000 random bytes) and "/doc.json".
class HttpTest : public ::testing::Test {
 protected:
  // The installer starts Winsock at process start; the socket connection relies on it.
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    package = randomBytes(200000);
    writeFile(served.path() / "pkg.bin", package);
    writeFile(served.path() / "doc.json", "{\"ok\":true}");
  }
  void TearDown() override { WSACleanup(); }
  std::filesystem::path target() const { return downloads.path() / "out.bin"; }

  TempFolder served;
  TempFolder downloads;
  std::string package;
};

}  // namespace zxtest
