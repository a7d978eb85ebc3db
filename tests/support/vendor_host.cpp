#include "tests/support/vendor_host.h"

#include <winsock2.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace zxtest {

namespace {

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool waitFor(const std::filesystem::path& file, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// One plain request to the host's control path, through Winsock.
void sendStop(const std::string& address, uint16_t port) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s != INVALID_SOCKET) {
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = inet_addr(address.c_str());
    // A host that stopped answering must not hold the test in its destructor for ever.
    DWORD timeoutMs = 10000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == 0) {
      const char request[] = "GET /__stop__ HTTP/1.1\r\nHost: stop\r\n\r\n";
      send(s, request, sizeof(request) - 1, 0);
      char buffer[256];
      while (recv(s, buffer, sizeof(buffer), 0) > 0) {
      }
    }
    closesocket(s);
  }
  WSACleanup();
}

}  // namespace

std::string unixPath(const std::filesystem::path& windowsPath) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::string();
  char* name = convert(windowsPath.wstring().c_str());
  if (!name) return std::string();
  std::string out(name);
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

std::string JournalEntry::requestLine() const { return raw.substr(0, raw.find("\r\n")); }

std::string JournalEntry::target() const {
  std::string line = requestLine();
  size_t first = line.find(' ');
  size_t last = line.rfind(' ');
  if (first == std::string::npos || last <= first) return std::string();
  return line.substr(first + 1, last - first - 1);
}

bool JournalEntry::hasHeader(const std::string& name) const {
  std::string text = lower(raw);
  return text.find("\r\n" + lower(name) + ":") != std::string::npos;
}

std::string JournalEntry::header(const std::string& name) const {
  std::string text = lower(raw);
  size_t at = text.find("\r\n" + lower(name) + ":");
  if (at == std::string::npos) return std::string();
  size_t begin = at + 2 + name.size() + 1;
  size_t end = raw.find("\r\n", begin);
  std::string value = raw.substr(begin, end - begin);
  size_t first = value.find_first_not_of(" \t");
  size_t last = value.find_last_not_of(" \t");
  return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
}

VendorHost::VendorHost(const std::filesystem::path& root, const std::string& scenario,
                       const std::string& bindAddress, bool tls)
    : address_(bindAddress) {
  {
    std::ofstream out(state_.path() / "scenario.json", std::ios::binary);
    out << scenario;
  }
  std::string command = "/usr/bin/python3 \"" ZX_VENDOR_HOST_SCRIPT "\" serve --root \"" + unixPath(root) +
                        "\" --state \"" + unixPath(state_.path()) + "\" --scenario \"" +
                        unixPath(state_.path() / "scenario.json") + "\" --bind " + bindAddress +
                        " --lifetime 300";
  const char* ca = std::getenv("ZX_TEST_CA");
  if (tls && ca && *ca) command += std::string(" --ca \"") + ca + "\"";
  std::wstring commandLine = widen(command);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info)) {
    return;
  }
  // A Unix process has no Windows handles; close whatever Wine handed back.
  if (info.hThread) CloseHandle(info.hThread);
  if (info.hProcess) CloseHandle(info.hProcess);
  if (!waitFor(state_.path() / "ready", 20000)) return;
  std::istringstream ports(readFile(state_.path() / "ready"));
  int http = 0;
  int https = 0;
  ports >> http >> https;
  httpPort_ = static_cast<uint16_t>(http);
  httpsPort_ = static_cast<uint16_t>(https);
}

VendorHost::~VendorHost() { stop(); }

bool VendorHost::stop() {
  if (httpPort_ == 0) return true;
  sendStop(address_, httpPort_);
  bool stopped = waitFor(state_.path() / "stopped", 10000);
  httpPort_ = 0;
  httpsPort_ = 0;
  return stopped;
}

std::wstring VendorHost::authority() const { return widen(address_) + L":" + std::to_wstring(httpPort_); }

std::wstring VendorHost::httpUrl(const std::wstring& path) const { return L"http://" + authority() + path; }

std::wstring VendorHost::httpsUrl(const std::wstring& path) const {
  return L"https://" + widen(address_) + L":" + std::to_wstring(httpsPort_) + path;
}

std::vector<JournalEntry> VendorHost::journal() const {
  std::string text = readFile(state_.path() / "journal");
  std::vector<JournalEntry> entries;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string::npos) break;
    std::istringstream line(text.substr(pos, eol - pos));
    std::string marker;
    size_t length = 0;
    JournalEntry entry;
    line >> marker >> entry.seq >> entry.connection >> entry.scheme >> length;
    if (marker != "==" || eol + 1 + length > text.size()) break;
    entry.raw = text.substr(eol + 1, length);
    entries.push_back(entry);
    pos = eol + 1 + length + 1;
  }
  return entries;
}

std::vector<JournalEntry> VendorHost::requestsTo(const std::string& targetPrefix) const {
  std::vector<JournalEntry> out;
  for (const JournalEntry& entry : journal()) {
    if (entry.target().compare(0, targetPrefix.size(), targetPrefix) == 0) out.push_back(entry);
  }
  return out;
}

}  // namespace zxtest
