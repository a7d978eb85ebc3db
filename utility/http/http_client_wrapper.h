// The installer's one HTTP client: a URL into a file (resume, retries) or into memory, over
// WinInet or, on request, over a raw socket for plain http:// addresses.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "utility/http/http_client_sink.h"
#include "utility/http/http_connection.h"
#include "utility/http/request_text.h"
#include "utility/worker_thread.h"

namespace utility {

class CHttpClientWrapper {
 public:
  // The caller's progress interface for file downloads; called on the downloading thread.
  class IHttpDownloadSink {
   public:
    // Before each piece is written. received includes this piece and what the file already
    // held; total is the full file size, or -1 when the response gave no length. False aborts.
    virtual bool onDownloadProgress(const char* data, int size, int received, int total) = 0;
    // The body is complete (the result is ignored).
    virtual bool onDownloadFinished() = 0;

   protected:
    ~IHttpDownloadSink() = default;
  };

  CHttpClientWrapper() = default;
  ~CHttpClientWrapper();
  CHttpClientWrapper(const CHttpClientWrapper&) = delete;
  CHttpClientWrapper& operator=(const CHttpClientWrapper&) = delete;

  // Up to retryCount attempts, the first rewriting the file, later ones resuming from what
  // the file holds; retryWaitMs between attempts (cut short by the worker's stop). With
  // useSocket an https address is fetched as http over the socket connection. reserved is
  // not read.
  bool download2file_ex(IHttpDownloadSink* sink, const std::wstring& filePath, const std::wstring& url,
                        int reserved, int retryCount, int retryWaitMs, bool useSocket);
  // One attempt into a file, with the current resume offset and connection choice.
  bool download2file(const std::wstring& url, const std::wstring& filePath, IHttpDownloadSink* sink);
  // Up to two attempts into memory over WinInet; target is cleared before each.
  bool download2mem(std::string& target, const std::wstring& url);
  // One attempt into memory with the current connection choice; target is appended to.
  bool download2memOnce(std::string& target, const std::wstring& url);

  // From another thread: ends the transfer in progress; the attempt fails and is not retried.
  void pause();
  // From another thread: fails the attempt in progress (its connection is closed) but, unlike
  // pause, lets download2file_ex go on with its next attempt, which resumes. The owner's
  // watchdog uses it for a transfer that stopped delivering bytes.
  void abortAttempt();
  // The worker thread that runs this client's downloads: its wake event cuts retry waits
  // short and its stop flag ends transfers. Call once, before the first download.
  void attachWorker(WorkerThread* worker);

 private:
  bool prepare(const std::wstring& url, IHttpClientSink* sink);
  bool request();
  bool receiveBody(IHttpConnection& connection, const std::string& headerText, int contentLength);
  bool attempt(const std::wstring& url, IHttpClientSink* sink);
  void releaseConnection();
  WorkerThread& stopHolder();
  // Waits up to ms unless a stop is requested; false when the worker is to stop.
  bool waitBeforeRetry(DWORD ms);

  std::wstring host_;
  uint16_t port_ = 80;
  std::wstring path_;
  HeaderTable headers_;
  // Owned during an attempt. The lock makes pause and the attempt agree: pause only closes
  // the connection (which fails the blocked call); the attempt alone releases it.
  std::mutex connectionLock_;
  IHttpConnection* connection_ = nullptr;
  IHttpClientSink* sink_ = nullptr;
  bool useSocket_ = false;
  WorkerThread ownWorker_;
  WorkerThread* attachedWorker_ = nullptr;
  int32_t resumeOffset_ = 0;
  std::atomic<bool> m_bPause{false};
};

}  // namespace utility
