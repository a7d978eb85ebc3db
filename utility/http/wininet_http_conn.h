// HTTP and HTTPS connections over WinInet. WinInet follows redirects, decodes chunked bodies
// and uses the system's proxy settings; the installer sees the final response only.
#pragma once

#include <atomic>

#include "utility/http/abortable_handle.h"
#include "utility/http/http_connection.h"

namespace utility {

class CWinInetHttpConn : public IHttpConnection {
 public:
  void release() override;
  void close() override;
  bool open() override;
  bool connect(const std::wstring& host, uint16_t port) override;
  bool sendGet(const std::wstring& host, const std::wstring& path, const std::wstring& headers) override;
  bool sendPost(const std::wstring& path, const std::wstring& headers, const char* body, int bodyLength) override;
  bool recvHeader(std::string& headerText, int& status, int& contentLength) override;
  int read(char* buffer, int size) override;

 protected:
  bool sendGetWithFlags(const std::wstring& path, const std::wstring& headers, DWORD flags);

 private:
  AbortableHandle<InternetHandleTraits> root_;
  AbortableHandle<InternetHandleTraits> connection_;
  AbortableHandle<InternetHandleTraits> request_;
  std::atomic<bool> closed_{false};
};

class CWinInetHttpsConn final : public CWinInetHttpConn {
 public:
  bool sendGet(const std::wstring& host, const std::wstring& path, const std::wstring& headers) override;
};

}  // namespace utility
