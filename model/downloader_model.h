// The process-wide workflow model: launch parameters, install folder, version result, the
// workers that fetch the package, and the callbacks that carry outcomes to the window.
//
// Threads: the window thread calls every public operation unless noted; the version worker
// writes the version result and the download worker the package. Results reach the window
// only through tasks posted under the model's owner key, so a callback never runs after
// destroyModel and never runs on a worker.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/app_record.h"
#include "model/event_sink.h"
#include "utility/http/http_client_wrapper.h"
#include "utility/win_handle.h"
#include "utility/worker_thread.h"

class DownloaderModel final : public utility::CHttpClientWrapper::IHttpDownloadSink {
 public:
  // The single instance, created on first use from any thread.
  static DownloaderModel* instance();
  // Window thread, at exit: stops the timer and workers, drops queued callbacks, frees the
  // model. A later instance() call creates a fresh model.
  static void destroyModel();

  // True when another installer of this user runs (it was asked to show its window); false
  // when this process is the first and now holds the single-instance mutex.
  bool popupExistPwnd();

  // Reads the launch parameters from the own file name and the command line, proposes the
  // install folder and starts the version query.
  void init(const std::wstring& commandLine);
  // As init, with the executable path given (tests run it for many file names).
  void initFrom(const std::wstring& modulePath, const std::wstring& commandLine);

  void setInstanceHandle(HINSTANCE instance) { instanceHandle_ = instance; }
  HINSTANCE instanceHandle() const { return instanceHandle_; }

  // Window callbacks. A callback left unset is never invoked.
  void setOnProgress(std::function<void(int percent, int received, int total)> callback);
  void setOnDownloadSucceeded(std::function<void()> callback);
  void setOnDownloadFailed(std::function<void()> callback);
  void setOnInstallFinished(std::function<void(bool ok)> callback);
  // Any thread: delivers onInstallFinished on the window thread (the installation step).
  void postInstallFinished(bool ok);

  const std::wstring& openid() const { return openid_; }
  const std::wstring& package() const { return package_; }
  const std::wstring& googleId() const { return googleId_; }
  const std::wstring& language() const { return language_; }
  void setLanguage(const std::wstring& language) { language_ = language; }
  const std::wstring& installPath() const { return installPath_; }
  void setInstallPath(const std::wstring& path) { installPath_ = path; }
  int percent() const { return percent_; }

  // The version result and the openid document's apps and settings, once the version worker
  // is done with them (false before: nothing may be read yet).
  bool versionQueryFinished() const { return queryFinished_.load(std::memory_order_acquire); }
  const std::vector<model::AppRecord>& apps() const { return apps_; }
  const model::InstallSettings& installSettings() const { return settings_; }
  // Empty until the version document was read (or the download start fell back).
  std::wstring playerUrl() const;

  // The folder rules of the window: the picked folder becomes the install folder.
  const std::wstring& applyChosenFolder(const std::wstring& candidate);
  bool isValidInstallPath(const std::wstring& path) const;
  double freeMegabytes(const std::wstring& path) const;
  // The install-click check: trims installPath; the message string id to show, or empty.
  std::wstring installClickCheck(bool licenceAccepted);

  // Starts the package download, or waits up to eight seconds for the package address first.
  void startDownloadPlayer();

  // Any thread. Queued and immediate analytics events.
  void reportEvent(const std::wstring& name, const std::wstring& value);
  void reportEventNow(const std::wstring& name, const std::wstring& value);

  // Where the documents and the default package come from; by default the product constants.
  struct Addresses {
    std::wstring versionDocument;
    std::wstring openidDocumentBase;
    std::wstring defaultPackage;
  };
  void setAddresses(const Addresses& addresses) { addresses_ = addresses; }
  void setEventSink(std::unique_ptr<model::EventSink> sink);
  // A transfer that delivers no byte for this long is aborted and resumed by its next attempt.
  void setStallTimeout(DWORD ms) { stallTimeoutMs_ = ms; }

  // IHttpDownloadSink, called on the download worker.
  bool onDownloadProgress(const char* data, int size, int received, int total) override;
  bool onDownloadFinished() override;

 private:
  DownloaderModel();
  ~DownloaderModel();
  void shutdown();

  void _calcInstallPath();
  void startVersionQuery();
  void _threadGetPlayerUrl();
  void _getPackageByOpenID(std::vector<model::AppRecord>& apps);
  void addressWaitTick();
  void stopVersionQuery();
  void _threadDownloadPlayer();
  bool _downloadByENUrl(const std::wstring& target);
  bool runRoute(utility::CHttpClientWrapper& client, const std::wstring& file, const std::wstring& url,
                bool useSocket);
  bool packageMatchesDigest(const std::wstring& file);
  void watchStall();
  void post(std::function<void()> task);

  std::wstring versionDocumentUrl() const;
  std::wstring openidDocumentBaseUrl() const;
  std::wstring defaultPackageUrl() const;

  // Launch parameters.
  std::wstring openid_ = L"100";
  std::wstring package_;
  std::wstring googleId_;
  std::wstring language_ = L"en_US";
  std::vector<model::AppRecord> apps_;
  std::wstring installPath_;

  // Version result: written by the version worker until packagePublished_ is set, by the
  // window thread only after that (or after the worker has stopped).
  std::wstring playerUrl_;
  std::wstring playerVersion_;
  std::string playerMd5_;
  model::InstallSettings settings_;
  std::atomic<bool> packagePublished_{false};
  std::atomic<bool> queryFinished_{false};

  std::function<void(int, int, int)> onProgress_;
  std::function<void()> onDownloadSucceeded_;
  std::function<void()> onDownloadFailed_;
  std::function<void(bool)> onInstallFinished_;

  utility::CHttpClientWrapper versionClient_;
  utility::CHttpClientWrapper packageClientA_;
  utility::CHttpClientWrapper packageClientB_;
  utility::WorkerThread versionWorker_;
  utility::WorkerThread downloadWorker_;

  UINT addressTimer_ = 0;
  UINT stallTimer_ = 0;
  DWORD stallTimeoutMs_;
  std::atomic<utility::CHttpClientWrapper*> activeClient_{nullptr};
  std::atomic<DWORD> lastDataTick_{0};
  std::atomic<std::uint32_t> lastProgressTick_{0};
  int percent_ = 0;

  Addresses addresses_;
  std::unique_ptr<model::EventSink> events_;
  HINSTANCE instanceHandle_ = nullptr;
  utility::UniqueKernelHandle instanceMutex_;
  // The dispatcher owner key: every task posted to the window thread is counted under it.
  const char ownerKey_ = 0;
};
