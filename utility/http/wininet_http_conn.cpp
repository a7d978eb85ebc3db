#include "utility/http/wininet_http_conn.h"

namespace utility {

namespace {
// Reload, no cache write, ignore a certificate naming another host, cache-async, ASCII.
constexpr DWORD kPlainFlags = 0x84001081;
// The same with INTERNET_FLAG_SECURE.
constexpr DWORD kSecureFlags = 0x84801081;
}  // namespace

void CWinInetHttpConn::release() {
  close();
  delete this;
}

void CWinInetHttpConn::close() {
  closed_ = true;
  request_.reset();
  connection_.reset();
  root_.reset();
}

bool CWinInetHttpConn::open() {
  return root_.adopt(InternetOpenW(L"", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0), closed_);
}

bool CWinInetHttpConn::connect(const std::wstring& host, uint16_t port) {
  return connection_.adopt(
      InternetConnectW(root_.get(), host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1), closed_);
}

bool CWinInetHttpConn::sendGet(const std::wstring& /*host*/, const std::wstring& path, const std::wstring& headers) {
  return sendGetWithFlags(path, headers, kPlainFlags);
}

bool CWinInetHttpConn::sendGetWithFlags(const std::wstring& path, const std::wstring& headers, DWORD flags) {
  const wchar_t* acceptTypes[] = {L"*/*", nullptr};
  if (!request_.adopt(HttpOpenRequestW(connection_.get(), L"GET", path.c_str(), L"HTTP/1.1", nullptr, acceptTypes,
                                       flags, 1),
                      closed_)) {
    return false;
  }
  return HttpSendRequestW(request_.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0) != FALSE;
}

bool CWinInetHttpConn::sendPost(const std::wstring& path, const std::wstring& headers, const char* body,
                                int bodyLength) {
  const wchar_t* acceptTypes[] = {L"*/*", nullptr};
  if (!request_.adopt(HttpOpenRequestW(connection_.get(), L"POST", path.c_str(), L"HTTP/1.1", nullptr, acceptTypes,
                                       kPlainFlags, 1),
                      closed_)) {
    return false;
  }
  INTERNET_BUFFERSW buffers = {};
  buffers.dwStructSize = sizeof(buffers);
  buffers.lpcszHeader = headers.c_str();
  buffers.dwHeadersLength = static_cast<DWORD>(headers.size());
  buffers.dwHeadersTotal = static_cast<DWORD>(headers.size());
  buffers.lpvBuffer = const_cast<char*>(body);
  buffers.dwBufferLength = static_cast<DWORD>(bodyLength);
  buffers.dwBufferTotal = static_cast<DWORD>(bodyLength);
  if (!HttpSendRequestExW(request_.get(), &buffers, nullptr, 0, 0)) return false;
  return HttpEndRequestW(request_.get(), nullptr, 0, 0) != FALSE;
}

bool CWinInetHttpConn::recvHeader(std::string& /*headerText*/, int& status, int& contentLength) {
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (!HttpQueryInfoW(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
    return false;
  }
  status = static_cast<int>(value);
  contentLength = -1;
  size = sizeof(value);
  if (HttpQueryInfoW(request_.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
    contentLength = static_cast<int>(value);
  }
  return true;
}

int CWinInetHttpConn::read(char* buffer, int size) {
  DWORD got = 0;
  if (!InternetReadFile(request_.get(), buffer, static_cast<DWORD>(size), &got)) return -1;
  return static_cast<int>(got);
}

bool CWinInetHttpsConn::sendGet(const std::wstring& /*host*/, const std::wstring& path, const std::wstring& headers) {
  return sendGetWithFlags(path, headers, kSecureFlags);
}

}  // namespace utility
