#include "utility/http/http_client_wrapper.h"

#include <vector>

#include "base/log.h"
#include "utility/http/chunked_body.h"
#include "utility/http/download_sinks.h"
#include "utility/http/response_header.h"
#include "utility/http/tcp_http_conn.h"
#include "utility/http/url.h"
#include "utility/http/wininet_http_conn.h"

namespace utility {

namespace {

constexpr int kBodyBuffer = 32768;

enum StepCode { kStepOpen = 10, kStepConnect = 12, kStepSend = 16, kStepHeader = 17, kStepBody = 19 };

// Feeds the chunk decoder from the connection and tells a failed read apart from a
// malformed body, so the reported system error is the read's own when there is one.
class ConnectionReader final : public ByteReader {
 public:
  explicit ConnectionReader(IHttpConnection& connection) : connection_(connection) {}
  int read(char* buffer, int size) override {
    int n = connection_.read(buffer, size);
    if (n < 0) readFailed = true;
    return n;
  }
  bool readFailed = false;

 private:
  IHttpConnection& connection_;
};

}  // namespace

CHttpClientWrapper::~CHttpClientWrapper() { releaseConnection(); }

void CHttpClientWrapper::attachWorker(WorkerThread* worker) { attachedWorker_ = worker; }

WorkerThread& CHttpClientWrapper::stopHolder() { return attachedWorker_ ? *attachedWorker_ : ownWorker_; }

bool CHttpClientWrapper::waitBeforeRetry(DWORD ms) { return stopHolder().sleep(ms); }

void CHttpClientWrapper::releaseConnection() {
  IHttpConnection* connection = nullptr;
  {
    std::lock_guard<std::mutex> lock(connectionLock_);
    connection = connection_;
    connection_ = nullptr;
  }
  if (connection) {
    connection->close();
    connection->release();
  }
}

bool CHttpClientWrapper::prepare(const std::wstring& url, IHttpClientSink* sink) {
  sink_ = sink;
  IHttpConnection* connection = nullptr;
  if (startsWithNoCase(url, L"https://")) {
    connection = new CWinInetHttpsConn();
  } else if (useSocket_) {
    connection = new CTcpHttpConn();
  } else {
    connection = new CWinInetHttpConn();
  }
  {
    std::lock_guard<std::mutex> lock(connectionLock_);
    connection_ = connection;
    // A pause or a stop that came before the connection existed had nothing to close: honour
    // it now. A stop can land between the caller's last check and this attempt; download2file_ex
    // clears the pause flag when it begins, and the sink checks the stop only when data
    // arrives, so on a silent server the attempt would block until the worker is terminated.
    if (m_bPause || stopHolder().stopRequested()) connection->close();
  }
  if (!connection->open()) {
    sink_->onHttpError(kStepOpen, static_cast<int>(GetLastError()));
    return false;
  }
  UrlParts parts = parseUrl(url);
  host_ = parts.host;
  port_ = parts.port;
  path_ = parts.path;
  return true;
}

bool CHttpClientWrapper::request() {
  // Only this thread releases the connection, so the pointer stays valid here even while
  // pause closes it from another thread.
  IHttpConnection* connection = connection_;
  if (!connection->connect(host_, port_)) {
    sink_->onHttpError(kStepConnect, static_cast<int>(GetLastError()));
    return false;
  }
  if (!connection->sendGet(host_, path_, buildHeaders(headers_))) {
    sink_->onHttpError(kStepSend, static_cast<int>(GetLastError()));
    return false;
  }
  std::string headerText;
  int status = 0;
  int contentLength = -1;
  if (!connection->recvHeader(headerText, status, contentLength)) {
    sink_->onHttpError(kStepHeader, static_cast<int>(GetLastError()));
    return false;
  }
  if (!sink_->onHttpRecvHeader(status, contentLength)) return false;
  if (!receiveBody(*connection, headerText, contentLength)) {
    sink_->onHttpError(kStepBody, static_cast<int>(GetLastError()));
    return false;
  }
  sink_->onHttpFinished();
  return true;
}

bool CHttpClientWrapper::receiveBody(IHttpConnection& connection, const std::string& headerText, int contentLength) {
  std::vector<char> buffer(kBodyBuffer);
  bool chunked = isChunked(headerText);
  ChunkedBody chunks;
  ConnectionReader reader(connection);
  int remaining = contentLength;
  // A declared empty body is never a document or file the installer wants, and reading for
  // it would block on a server that keeps the connection open.
  if (contentLength == 0) {
    SetLastError(ERROR_HANDLE_EOF);
    return false;
  }
  for (;;) {
    int piece = chunked ? chunks.next(reader, buffer.data(), kBodyBuffer) : connection.read(buffer.data(), kBodyBuffer);
    if (piece < 0) {
      if (chunked && !reader.readFailed) SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    if (piece == 0) {
      if (contentLength < 0) return true;
      // A declared length not reached: the body was cut off.
      SetLastError(ERROR_HANDLE_EOF);
      return false;
    }
    if (!sink_->onHttpRecvData(buffer.data(), piece)) {
      return false;
    }
    if (contentLength > 0) {
      remaining -= piece;
      if (remaining <= 0) return true;
    }
  }
}

bool CHttpClientWrapper::attempt(const std::wstring& url, IHttpClientSink* sink) {
  bool ok = prepare(url, sink) && request();
  releaseConnection();
  return ok;
}

bool CHttpClientWrapper::download2file(const std::wstring& url, const std::wstring& filePath,
                                       IHttpDownloadSink* sink) {
  CHttpDownload2FileSink fileSink(filePath, stopHolder(), sink, resumeOffset_);
  return attempt(url, &fileSink);
}

bool CHttpClientWrapper::download2file_ex(IHttpDownloadSink* sink, const std::wstring& filePath,
                                          const std::wstring& url, int /*reserved*/, int retryCount,
                                          int retryWaitMs, bool useSocket) {
  const char* const kFunction = "utility::CHttpClientWrapper::download2file_ex";
  m_bPause = false;
  // The socket connection has no TLS: an https address is fetched from the same host as http.
  std::wstring workUrl = url;
  if (useSocket && url.compare(0, 5, L"https") == 0) workUrl = L"http" + url.substr(5);
  for (int i = 0; i < retryCount; ++i) {
    writeLog(kFunction, __LINE__, L"download %s", filePath.c_str());
    useSocket_ = useSocket;
    headers_.erase(L"Range");
    resumeOffset_ = 0;
    if (i > 0) {
      LARGE_INTEGER size = {};
      UniqueFileHandle file(CreateFileW(filePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file || !GetFileSizeEx(file.get(), &size)) size.QuadPart = 0;
      resumeOffset_ = static_cast<int32_t>(size.LowPart);
      writeLog(kFunction, __LINE__, L"start size %d", resumeOffset_);
      if (resumeOffset_ > 0) headers_[L"Range"] = L"bytes=" + std::to_wstring(resumeOffset_) + L"-";
    }
    if (download2file(workUrl, filePath, sink)) {
      writeLog(kFunction, __LINE__, L"download %s sucess", filePath.c_str());
      return true;
    }
    if (m_bPause) {
      writeLog(kFunction, __LINE__, L"m_bPause is true");
      return false;
    }
    if (!waitBeforeRetry(static_cast<DWORD>(retryWaitMs))) return false;
  }
  return false;
}

bool CHttpClientWrapper::download2mem(std::string& target, const std::wstring& url) {
  m_bPause = false;
  for (int i = 0; i < 2; ++i) {
    useSocket_ = false;
    target.clear();
    CHttpDownload2MemSink memSink(target, stopHolder());
    if (attempt(url, &memSink)) return true;
    if (m_bPause) return false;
    if (!waitBeforeRetry(200)) return false;
  }
  return false;
}

bool CHttpClientWrapper::download2memOnce(std::string& target, const std::wstring& url) {
  CHttpDownload2MemSink memSink(target, stopHolder());
  return attempt(url, &memSink);
}

void CHttpClientWrapper::abortAttempt() {
  std::lock_guard<std::mutex> lock(connectionLock_);
  if (connection_) connection_->close();
}

void CHttpClientWrapper::pause() {
  if (!attachedWorker_) {
    ownWorker_.requestStop();
  }
  std::lock_guard<std::mutex> lock(connectionLock_);
  m_bPause = true;
  // Closing fails the call blocked on the worker; the worker's attempt then releases the
  // connection. Releasing it here would free it under the blocked call.
  if (connection_) connection_->close();
}

}  // namespace utility
