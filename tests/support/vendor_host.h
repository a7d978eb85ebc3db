// Starts the vendor host stand-in (tools/vendor_host/vendor_host.py) for one Windows test
// running under Wine, and reads its journal.
//
// How a Windows test starts a Linux program: Wine's CreateProcessW runs a Unix executable
// given by its Unix path ("/usr/bin/python3 ...") as a native process. It returns no process
// handle or id for it, so the host tells its ports through a "ready" file in its state
// folder, and is stopped by a "GET /__stop__" request, after which it writes "stopped". As
// a safety net it also ends by itself when its state folder disappears (this object's
// temporary folder is removed on destruction) or after its lifetime (300 s), so a crashed
// test leaves nothing running for long. Paths given to it are converted with Wine's
// wine_get_unix_file_name.
//
// HTTPS: the wine-run wrapper exports ZX_TEST_CA (a test CA made once per build) and runs the
// test in a private mount namespace whose system bundle also trusts that CA. The host issues
// itself a certificate for "content.zentrix.invalid" (never the address connected to) with a
// CRL that it serves over plain HTTP, which WinInet under Wine insists on fetching.
//
// Usage:
//   zxtest::VendorHost host(folderWithFiles, R"({"rules":[{"path":"/a","status":404}]})");
//   ASSERT_TRUE(host.started());
//   client.download2mem(body, host.httpUrl(L"/doc.json"));   // or host.httpsUrl(...)
//   auto requests = host.journal();                            // every request, in order
//   EXPECT_EQ(requests[0].header("Range"), "bytes=100-");
// The scenario language is described at the top of vendor_host.py.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace zxtest {

struct JournalEntry {
  int seq = 0;
  int connection = 0;   // requests on one TCP connection share the number
  std::string scheme;   // "http" or "https"
  std::string raw;      // request line, header lines and the empty line, as received

  std::string requestLine() const;
  std::string target() const;  // the request target of the request line
  // Value of the first header of that name (any letter case), trimmed; empty when absent.
  std::string header(const std::string& name) const;
  bool hasHeader(const std::string& name) const;
};

class VendorHost {
 public:
  // root: folder served; scenario: JSON text of rules; bindAddress: a loopback address
  // (127.x.y.z) when a test needs a host of its own; tls: also listen for HTTPS.
  explicit VendorHost(const std::filesystem::path& root, const std::string& scenario = "{}",
                      const std::string& bindAddress = "127.0.0.1", bool tls = true);
  ~VendorHost();
  VendorHost(const VendorHost&) = delete;
  VendorHost& operator=(const VendorHost&) = delete;

  bool started() const { return httpPort_ != 0; }
  uint16_t httpPort() const { return httpPort_; }
  uint16_t httpsPort() const { return httpsPort_; }
  const std::string& address() const { return address_; }
  // "host:port" of the plain listener, e.g. for build constants or address documents.
  std::wstring authority() const;
  std::wstring httpUrl(const std::wstring& path) const;
  std::wstring httpsUrl(const std::wstring& path) const;

  std::vector<JournalEntry> journal() const;
  // The requests whose target starts with this prefix.
  std::vector<JournalEntry> requestsTo(const std::string& targetPrefix) const;

  // Stops the host and waits until it has gone; also done by the destructor.
  bool stop();

 private:
  TempFolder state_;
  std::string address_;
  uint16_t httpPort_ = 0;
  uint16_t httpsPort_ = 0;
};

// Wine's Unix path of a Windows path (empty when not under Wine).
std::string unixPath(const std::filesystem::path& windowsPath);

}  // namespace zxtest
