// One HTTP exchange at a time over WinInet or a raw socket. The download client creates one
// connection per attempt, drives it open → connect → sendGet → recvHeader → read… and then
// close → release.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace utility {

class IHttpConnection {
 public:
  // close, then destroy the object. Called exactly once, by whoever owns the connection.
  virtual void release() = 0;
  // Releases every handle or socket. Safe to repeat, and safe from another thread while a
  // call is blocked on this connection, which then fails. A closed connection stays closed:
  // it cannot be opened again (so a stop is never undone by a redirect that reconnects).
  virtual void close() = 0;
  virtual bool open() = 0;
  virtual bool connect(const std::wstring& host, uint16_t port) = 0;
  // headers: complete lines, each ending in CR LF.
  virtual bool sendGet(const std::wstring& host, const std::wstring& path, const std::wstring& headers) = 0;
  virtual bool sendPost(const std::wstring& path, const std::wstring& headers, const char* body, int bodyLength) = 0;
  // contentLength is -1 when the response has none. Connections that parse the response
  // themselves also return the raw header text.
  virtual bool recvHeader(std::string& headerText, int& status, int& contentLength) = 0;
  // Body bytes read, 0 at the end of the body, -1 on failure.
  virtual int read(char* buffer, int size) = 0;

  // On every failure (false or -1) the thread's last-error value holds the system's reason.

 protected:
  virtual ~IHttpConnection() = default;
};

struct ConnectionRelease {
  void operator()(IHttpConnection* connection) const { connection->release(); }
};
using ConnectionPtr = std::unique_ptr<IHttpConnection, ConnectionRelease>;

}  // namespace utility
