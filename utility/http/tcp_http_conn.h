// HTTP/1.1 written and parsed by the installer itself over a plain TCP socket: the fallback
// when WinInet fails. Plain http:// only; follows 301 and 302 on a fresh connection.
#pragma once

#include <atomic>

#include "utility/http/http_connection.h"
#include "utility/http/tcp_socket.h"

namespace utility {

// A server may not send the client round a redirect loop for ever.
constexpr int kMaxRedirects = 10;

class CTcpHttpConn final : public IHttpConnection {
 public:
  void release() override;
  void close() override;
  bool open() override;
  bool connect(const std::wstring& host, uint16_t port) override;
  bool sendGet(const std::wstring& host, const std::wstring& path, const std::wstring& headers) override;
  bool sendPost(const std::wstring& path, const std::wstring& headers, const char* body, int bodyLength) override;
  bool recvHeader(std::string& headerText, int& status, int& contentLength) override;
  int read(char* buffer, int size) override;

 private:
  bool createSocket();
  bool followRedirect(const std::string& location);

  CTcpSocket socket_;
  std::atomic<bool> closed_{false};
  std::wstring host_;
  uint16_t port_ = 80;
};

}  // namespace utility
