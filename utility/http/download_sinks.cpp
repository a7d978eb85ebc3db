#include "utility/http/download_sinks.h"

#include "base/log.h"

namespace utility {

namespace {
bool isSuccess(int status) { return status >= 200 && status <= 299; }
}  // namespace

CHttpDownload2FileSink::CHttpDownload2FileSink(const std::wstring& filePath, const WorkerThread& stopHolder,
                                               CHttpClientWrapper::IHttpDownloadSink* progress,
                                               int32_t resumeOffset)
    : filePath_(filePath), stopHolder_(stopHolder), progress_(progress), resumeOffset_(resumeOffset) {}

void CHttpDownload2FileSink::onHttpError(int code, int systemError) {
  writeLog("utility::CHttpDownload2FileSink::onHttpError", __LINE__,
           L"CHttpDownload2FileSink http code %d, error = %d", code, systemError);
}

bool CHttpDownload2FileSink::onHttpRecvHeader(int status, int contentLength) {
  const char* const kFunction = "utility::CHttpDownload2FileSink::onHttpRecvHeader";
  writeLog(kFunction, __LINE__, L"onHttpRecvHeader status %d, total %d", status, contentLength);
  if (!isSuccess(status)) {
    writeLog(kFunction, __LINE__, L"onHttpRecvHeader error");
    return false;
  }
  total_ = contentLength;
  received_ = 0;
  // Only a 206 continues the partial file. A server that ignores Range answers 200 with the
  // whole body, which appended to the partial file would corrupt it: start over instead.
  bool resume = resumeOffset_ > 0 && status == 206;
  if (!resume) {
    file_.reset(CreateFileW(filePath_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) {
      writeLog(kFunction, __LINE__, L"create file error; filename %s lasterror:%d", filePath_.c_str(),
               static_cast<int>(GetLastError()));
      return false;
    }
    return true;
  }
  received_ = resumeOffset_;
  if (contentLength > 0) total_ = contentLength + resumeOffset_;
  file_.reset(CreateFileW(filePath_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  // The remainder goes right after the bytes the Range asked past; anything the file holds
  // beyond them (a write that failed half-way) is cut off.
  LARGE_INTEGER offset;
  offset.QuadPart = resumeOffset_;
  if (!file_ || !SetFilePointerEx(file_.get(), offset, nullptr, FILE_BEGIN) || !SetEndOfFile(file_.get())) {
    writeLog(kFunction, __LINE__, L"downloader error open file error: lasterror %d",
             static_cast<int>(GetLastError()));
    file_.reset();
    return false;
  }
  return true;
}

bool CHttpDownload2FileSink::onHttpRecvData(const char* data, int size) {
  if (stopHolder_.stopRequested()) return false;
  received_ += size;
  if (progress_ && !progress_->onDownloadProgress(data, size, received_, total_)) return false;
  DWORD written = 0;
  return WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr) &&
         written == static_cast<DWORD>(size);
}

void CHttpDownload2FileSink::onHttpFinished() {
  writeLog("utility::CHttpDownload2FileSink::onHttpFinished", __LINE__, L"http finish, recv = %d, total = %d",
           received_, total_);
  if (progress_) progress_->onDownloadFinished();
  file_.reset();
}

void CHttpDownload2MemSink::onHttpError(int code, int systemError) {
  writeLog("utility::CHttpDownload2MemSink::onHttpError", __LINE__, L"CHttpDownload2MemSink http code %d, error = %d",
           code, systemError);
}

bool CHttpDownload2MemSink::onHttpRecvHeader(int status, int contentLength) {
  const char* const kFunction = "utility::CHttpDownload2MemSink::onHttpRecvHeader";
  if (!isSuccess(status)) {
    writeLog(kFunction, __LINE__, L"onHttpRecvHeader error status %d", status);
    return false;
  }
  writeLog(kFunction, __LINE__, L"on http header size : %d", contentLength);
  return true;
}

bool CHttpDownload2MemSink::onHttpRecvData(const char* data, int size) {
  if (stopHolder_.stopRequested()) return false;
  target_.append(data, static_cast<size_t>(size));
  return true;
}

}  // namespace utility
