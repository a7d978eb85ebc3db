// HTTP/1.1 written and parsed by the installer itself over a plain TCP socket: the fallback
// when WinInet fails. Plain http:// only; follows 301 and 302 on a fresh connection.
#pragma once

#include <atomic>
#include <vector>

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
  void dropBuffered() { begin_ = end_ = 0; }

  CTcpSocket socket_;
  std::atomic<bool> closed_{false};
  std::wstring host_;
  uint16_t port_ = 80;
  // Received bytes not yet handed out. One receive call per body piece costs a round trip
  // into the Wine server (and a system call on Windows); receiving in larger blocks and
  // handing out pieces from here keeps the socket route as fast as other clients, while the
  // header is still taken byte by byte and no body byte is lost to it.
  std::vector<char> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
};

}  // namespace utility
