// Shared pieces of the download client tests: a folder of files for the vendor host, a
// progress sink that records what it saw, and a worker thread to attach.
#pragma once

#include <windows.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/support/vendor_host.h"
#include "utility/http/http_client_wrapper.h"

namespace zxtest {

inline std::string randomBytes(size_t size, unsigned seed = 7) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

// Files served by the host: "/pkg.bin" (200 000 random bytes) and "/doc.json".
class HttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    package = randomBytes(200000);
    writeFile(served.path() / "pkg.bin", package);
    writeFile(served.path() / "doc.json", "{\"ok\":true}");
  }
  std::filesystem::path target() const { return downloads.path() / "out.bin"; }

  TempFolder served;
  TempFolder downloads;
  std::string package;
};

}  // namespace zxtest
