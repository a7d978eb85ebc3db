// The two sinks of the download client: body to a file (with progress) and body to memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "utility/http/http_client_sink.h"
#include "utility/http/http_client_wrapper.h"
#include "utility/win_handle.h"
#include "utility/worker_thread.h"

namespace utility {

class CHttpDownload2FileSink final : public IHttpClientSink {
 public:
  CHttpDownload2FileSink(const std::wstring& filePath, const WorkerThread& stopHolder,
                         CHttpClientWrapper::IHttpDownloadSink* progress, int32_t resumeOffset);

  void onHttpError(int code, int systemError) override;
  bool onHttpRecvHeader(int status, int contentLength) override;
  bool onHttpRecvData(const char* data, int size) override;
  void onHttpFinished() override;

 private:
  UniqueFileHandle file_;
  std::wstring filePath_;
  const WorkerThread& stopHolder_;
  CHttpClientWrapper::IHttpDownloadSink* progress_;  // not owned, may be null
  int32_t received_ = 0;
  int32_t total_ = 0;
  int32_t resumeOffset_;
};

class CHttpDownload2MemSink final : public IHttpClientSink {
 public:
  CHttpDownload2MemSink(std::string& target, const WorkerThread& stopHolder)
      : target_(target), stopHolder_(stopHolder) {}

  void onHttpError(int code, int systemError) override;
  bool onHttpRecvHeader(int status, int contentLength) override;
  bool onHttpRecvData(const char* data, int size) override;
  void onHttpFinished() override {}

 private:
  std::string& target_;
  const WorkerThread& stopHolder_;
};

}  // namespace utility
