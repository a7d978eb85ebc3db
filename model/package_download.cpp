// The package download: the wait for the package address, the three routes on the download
// worker, progress to the window and the outcome with its analytics event.
#include <shlwapi.h>

#include "base/log.h"
#include "config/config_imp.h"
#include "model/download_math.h"
#include "model/downloader_model.h"
#include "model/digest_text.h"
#include "telemetry/md5.h"
#include "utility/task_dispatcher.h"
#include "utility/ufile.h"

namespace {

constexpr UINT kAddressWaitPeriodMs = 1000;
constexpr int kAddressWaitTicks = 8;
constexpr int kRouteAttempts = 2;
constexpr int kRouteRetryMs = 500;
constexpr UINT kStallCheckPeriodMs = 1000;

// Counts the address-wait ticks of the whole process: a second wait falls back at once.
int g_addressTicks = 0;

}  // namespace

void DownloaderModel::startDownloadPlayer() {
  utility::TaskDispatcher* dispatcher = utility::TaskDispatcher::instance();
  if (!playerUrl().empty()) {
    packageClientA_.attachWorker(&downloadWorker_);
    packageClientB_.attachWorker(&downloadWorker_);
    utility::RunablePtr task = utility::makeMemberTask(this, &DownloaderModel::_threadDownloadPlayer);
    if (downloadWorker_.start(task) && dispatcher && !stallTimer_) {
      stallTimer_ = dispatcher->setTimer(kStallCheckPeriodMs, utility::makeTask([this] { watchStall(); }));
    }
    return;
  }
  if (addressTimer_ || !dispatcher) return;
  writeLog("DownloaderModel::startDownloadPlayer", __LINE__, L"start downloader. bug getting player url");
  addressTimer_ = dispatcher->setTimer(kAddressWaitPeriodMs, utility::makeTask([this] { addressWaitTick(); }));
}

void DownloaderModel::addressWaitTick() {
  ++g_addressTicks;
  if (g_addressTicks < kAddressWaitTicks && playerUrl().empty()) return;
  // Once the version document is read the worker never touches the address again (it may
  // still be fetching the openid document, which the installation needs later): only a
  // worker still reading the version document is stopped.
  if (!packagePublished_.load(std::memory_order_acquire)) stopVersionQuery();
  if (playerUrl_.empty()) {
    playerUrl_ = defaultPackageUrl();
    reportEvent(L"download_defaultUrl", openid_);
  }
  packagePublished_.store(true, std::memory_order_release);
  startDownloadPlayer();
  utility::TaskDispatcher::instance()->killTimer(addressTimer_);
  addressTimer_ = 0;
}

void DownloaderModel::stopVersionQuery() {
  versionWorker_.requestStop();
  versionClient_.pause();
  versionWorker_.stop(INFINITE);
}

void DownloaderModel::watchStall() {
  utility::CHttpClientWrapper* client = activeClient_.load();
  if (!client) return;
  DWORD now = GetTickCount();
  if (now - lastDataTick_.load() < stallTimeoutMs_) return;
  writeLog("DownloaderModel::watchStall", __LINE__, L"no data for %d ms, transfer aborted",
           static_cast<int>(now - lastDataTick_.load()));
  lastDataTick_ = now;
  client->abortAttempt();
}

void DownloaderModel::_threadDownloadPlayer() {
  const char* const kFunction = "DownloaderModel::_threadDownloadPlayer";
  writeLog(kFunction, __LINE__, L"download player");
  if (!PathFileExistsW(installPath_.c_str())) utility::ufile::makeDir(installPath_);
  lastProgressTick_ = 0;
  const std::wstring target = ConfigImp::instance().packageFilePath(installPath_);
  const DWORD start = GetTickCount();
  const bool ok = _downloadByENUrl(target);
  const int seconds = model::elapsedSeconds(GetTickCount() - start);
  const std::wstring value = openid_ + L"_" + std::to_wstring(seconds);
  post([this, ok] {
    if (stallTimer_) utility::TaskDispatcher::instance()->killTimer(stallTimer_);
    stallTimer_ = 0;
    const auto& callback = ok ? onDownloadSucceeded_ : onDownloadFailed_;
    if (callback) callback();
  });
  reportEvent(ok ? L"download_Success" : L"download_Error", value);
  writeLog(kFunction, __LINE__, L"download finished, success = %d, elapse = %d", ok ? 1 : 0, seconds);
}

bool DownloaderModel::_downloadByENUrl(const std::wstring& target) {
  const char* const kFunction = "DownloaderModel::_downloadByENUrl";
  lastProgressTick_ = 0;
  writeLog(kFunction, __LINE__, L"start download player playerurl is %s", playerUrl_.c_str());
  const std::wstring temporary = target + L".tmp";
  utility::ufile::removeFile(temporary);

  bool ok = runRoute(packageClientA_, temporary, playerUrl_, false);
  if (!ok && !downloadWorker_.stopRequested()) {
    writeLog(kFunction, __LINE__, L"download 1 error");
    ok = runRoute(packageClientB_, temporary, playerUrl_, true);
    if (ok) reportEvent(L"download_Success_socket", openid_);
  }
  if (!ok && !downloadWorker_.stopRequested()) {
    writeLog(kFunction, __LINE__, L"download 2 error");
    const std::wstring fallback = defaultPackageUrl();
    ok = runRoute(packageClientA_, temporary, fallback, false);
    if (!ok) writeLog(kFunction, __LINE__, L"download %s error", fallback.c_str());
  }
  if (!ok) return false;
  // Without the package in place there is nothing to install: a failed move is a failed
  // download, not a success the installation step then cannot find.
  if (!utility::ufile::moveFile(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) return false;
  writeLog(kFunction, __LINE__, L"download file success file = %s", target.c_str());
  return true;
}

bool DownloaderModel::runRoute(utility::CHttpClientWrapper& client, const std::wstring& file, const std::wstring& url,
                               bool useSocket) {
  lastDataTick_ = GetTickCount();
  activeClient_ = &client;
  bool ok = client.download2file_ex(this, file, url, 0, kRouteAttempts, kRouteRetryMs, useSocket);
  activeClient_ = nullptr;
  // The package runs elevated and route 2 fetches it over plain HTTP: when the version
  // document named a digest for this address, a file that does not match it is not used.
  // The default address may serve another build, so its file is not held to that digest.
  if (ok && !playerMd5_.empty() && url == playerUrl_ && !packageMatchesDigest(file)) {
    utility::ufile::removeFile(file);
    ok = false;
  }
  return ok;
}

bool DownloaderModel::packageMatchesDigest(const std::wstring& file) {
  const char* const kFunction = "DownloaderModel::packageMatchesDigest";
  utility::UniqueFileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!handle) {
    writeLog(kFunction, __LINE__, L"open %s failed, error = %d", file.c_str(), static_cast<int>(GetLastError()));
    return false;
  }
  telemetry::Md5 md5;
  std::string buffer(65536, '\0');
  DWORD read = 0;
  while (ReadFile(handle.get(), &buffer[0], static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
    md5.update(buffer.data(), read);
  }
  const std::string actual = telemetry::digestHex(md5.finish());
  if (model::sameDigest(playerMd5_, actual)) return true;
  writeLog(kFunction, __LINE__, L"md5 mismatch, expected %S, file has %S", playerMd5_.c_str(), actual.c_str());
  return false;
}

bool DownloaderModel::onDownloadProgress(const char* data, int size, int received, int total) {
  const DWORD now = GetTickCount();
  lastDataTick_ = now;
  if (!model::progressDue(now, lastProgressTick_)) return true;
  lastProgressTick_ = now;
  const int shownTotal = model::progressTotal(received, total);
  post([this, received, shownTotal] {
    percent_ = model::progressPercent(received, shownTotal);
    if (onProgress_) onProgress_(percent_, received, shownTotal);
  });
  return true;
}

bool DownloaderModel::onDownloadFinished() {
  post([this] {
    percent_ = 100;
    if (onProgress_) onProgress_(100, model::kAssumedPackageBytes, model::kAssumedPackageBytes);
  });
  return true;
}
