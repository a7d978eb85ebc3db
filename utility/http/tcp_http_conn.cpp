#include "utility/http/tcp_http_conn.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "utility/http/request_text.h"
#include "utility/http/response_header.h"
#include "utility/http/url.h"

namespace utility {

namespace {

std::string toAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
  }
  return out;
}

std::wstring fromAnsi(const std::string& text) {
  if (text.empty()) return std::wstring();
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
  return out;
}

// Reads the header through the connection itself, one byte per receive.
class SocketReader final : public ByteReader {
 public:
  explicit SocketReader(IHttpConnection& connection) : connection_(connection) {}
  int read(char* buffer, int size) override { return connection_.read(buffer, size); }

 private:
  IHttpConnection& connection_;
};

}  // namespace

void CTcpHttpConn::release() {
  close();
  delete this;
}

void CTcpHttpConn::close() {
  closed_ = true;
  socket_.handle().reset();
}

bool CTcpHttpConn::createSocket() {
  if (!socket_.handle().adopt(socket(AF_INET, SOCK_STREAM, 0), closed_)) return false;
  int reuse = 0;
  setsockopt(socket_.handle().get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
  return true;
}

bool CTcpHttpConn::open() {
  if (socket_.handle().valid()) return false;
  return createSocket();
}

bool CTcpHttpConn::connect(const std::wstring& host, uint16_t port) {
  std::string name = toAnsi(host);
  if (name.empty()) {
    WSASetLastError(WSAHOST_NOT_FOUND);
    return false;
  }
  host_ = host;
  port_ = port;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  unsigned long numeric = inet_addr(name.c_str());
  if (numeric != INADDR_NONE) {
    address.sin_addr.s_addr = numeric;
    return ::connect(socket_.handle().get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  }
  hostent* entry = gethostbyname(name.c_str());
  if (!entry || entry->h_addrtype != AF_INET) return false;
  for (char** item = entry->h_addr_list; *item; ++item) {
    memcpy(&address.sin_addr, *item, sizeof(address.sin_addr));
    if (::connect(socket_.handle().get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) return true;
  }
  return false;
}

bool CTcpHttpConn::sendGet(const std::wstring& host, const std::wstring& path, const std::wstring& headers) {
  // A line break in the target would let an address smuggle header lines of its own.
  if (path.find_first_of(L"\r\n") != std::wstring::npos || host.find_first_of(L"\r\n") != std::wstring::npos) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return socket_.send(toAnsi(buildGetRequest(host, path, headers)));
}

bool CTcpHttpConn::sendPost(const std::wstring&, const std::wstring&, const char*, int) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return false;
}

bool CTcpHttpConn::recvHeader(std::string& headerText, int& status, int& contentLength) {
  for (int redirects = 0;; ++redirects) {
    SocketReader reader(*this);
    HeaderRead result = readResponseHeader(reader, headerText);
    if (result == HeaderRead::tooLarge) {
      writeLog("utility::CTcpHttpConn::recvHeader", __LINE__, L"response header larger than %d bytes",
               static_cast<int>(kMaxResponseHeader));
      SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    if (result != HeaderRead::ok) return false;
    if (!responseStatus(headerText, status)) {
      SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    if (status != 301 && status != 302) {
      contentLength = responseContentLength(headerText);
      return true;
    }
    std::string location;
    if (!headerValue(headerText, "location", location)) {
      SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    if (redirects >= kMaxRedirects) {
      writeLog("utility::CTcpHttpConn::recvHeader", __LINE__, L"more than %d redirects", kMaxRedirects);
      SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    if (!followRedirect(location)) return false;
    headerText.clear();
  }
}

bool CTcpHttpConn::followRedirect(const std::string& location) {
  std::wstring target = fromAnsi(location);
  UrlParts parts;
  if (!target.empty() && target[0] == L'/') {
    // A target relative to the host (valid HTTP) stays on the host it came from.
    parts.host = host_;
    parts.port = port_;
    parts.path = target;
  } else {
    parts = parseUrl(target);
  }
  // The redirected request carries none of the caller's headers (no Range in particular).
  socket_.handle().reset();
  dropBuffered();
  return createSocket() && connect(parts.host, parts.port) && sendGet(parts.host, parts.path, std::wstring());
}

int CTcpHttpConn::read(char* buffer, int size) {
  if (size < 1) return 0;
  if (begin_ == end_) {
    constexpr int kReceiveBlock = 256 * 1024;
    if (buffer_.empty()) buffer_.resize(kReceiveBlock);
    int n = recv(socket_.handle().get(), buffer_.data(), kReceiveBlock, 0);
    if (n <= 0) return n < 0 ? -1 : 0;
    begin_ = 0;
    end_ = static_cast<size_t>(n);
  }
  size_t piece = std::min(static_cast<size_t>(size), end_ - begin_);
  memcpy(buffer, buffer_.data() + begin_, piece);
  begin_ += piece;
  return static_cast<int>(piece);
}

}  // namespace utility
