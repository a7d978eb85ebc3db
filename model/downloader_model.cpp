#include "model/downloader_model.h"

#include "base/log.h"
#include "config/config_imp.h"
#include "model/disk_query_win.h"
#include "model/install_path_rules.h"
#include "model/launch_params.h"
#include "model/single_instance.h"
#include "model/tracker_event_sink.h"
#include "utility/module_path.h"
#include "utility/task_dispatcher.h"

namespace {

std::atomic<DownloaderModel*> g_model{nullptr};

// Two seconds of silence is common on a slow mobile link; two minutes is not: by then the
// server or a middlebox has dropped the transfer without closing it.
constexpr DWORD kDefaultStallTimeoutMs = 120000;

}  // namespace

DownloaderModel* DownloaderModel::instance() {
  DownloaderModel* model = g_model.load();
  if (model) return model;
  auto* created = new DownloaderModel();
  // A worker and the window thread may both ask first; one model wins, the other is freed
  // before anyone saw it.
  if (!g_model.compare_exchange_strong(model, created)) {
    delete created;
    return model;
  }
  return created;
}

DownloaderModel::DownloaderModel()
    : stallTimeoutMs_(kDefaultStallTimeoutMs), events_(std::make_unique<model::TrackerEventSink>()) {}

DownloaderModel::~DownloaderModel() = default;

void DownloaderModel::destroyModel() {
  DownloaderModel* model = g_model.exchange(nullptr);
  if (!model) return;
  model->shutdown();
  delete model;
}

void DownloaderModel::shutdown() {
  utility::TaskDispatcher* dispatcher = utility::TaskDispatcher::instance();
  if (dispatcher) {
    if (addressTimer_) dispatcher->killTimer(addressTimer_);
    if (stallTimer_) dispatcher->killTimer(stallTimer_);
  }
  addressTimer_ = 0;
  stallTimer_ = 0;
  instanceMutex_.reset();
  // A transfer ended by the user's close is not a failed download: nothing is reported from here on.
  if (events_) events_->disable();
  // Told first, so both workers can end by themselves within the wait instead of being
  // terminated in the middle of a transfer (a terminated thread may hold the heap's or the
  // logger's lock).
  versionWorker_.requestStop();
  downloadWorker_.requestStop();
  versionClient_.pause();
  packageClientA_.pause();
  packageClientB_.pause();
  versionWorker_.stop(1000);
  downloadWorker_.stop(1000);
  if (dispatcher) dispatcher->cancel(&ownerKey_);
}

bool DownloaderModel::popupExistPwnd() {
  utility::UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kSingleInstanceName));
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) mutex.reset();
  if (mutex) {
    instanceMutex_ = std::move(mutex);
    writeLog("DownloaderModel::popupExistPwnd", __LINE__, L"wnd not exist");
    return false;
  }
  if (HWND window = FindWindowExW(nullptr, nullptr, kSingleInstanceName, nullptr)) {
    PostMessageW(window, kHandOverMessage, 0, 0);
  }
  writeLog("DownloaderModel::popupExistPwnd", __LINE__, L"wnd exist");
  return true;
}

void DownloaderModel::setOnProgress(std::function<void(int, int, int)> callback) { onProgress_ = std::move(callback); }
void DownloaderModel::setOnDownloadSucceeded(std::function<void()> callback) {
  onDownloadSucceeded_ = std::move(callback);
}
void DownloaderModel::setOnDownloadFailed(std::function<void()> callback) { onDownloadFailed_ = std::move(callback); }
void DownloaderModel::setOnInstallFinished(std::function<void(bool)> callback) {
  onInstallFinished_ = std::move(callback);
}

void DownloaderModel::post(std::function<void()> task) {
  if (utility::TaskDispatcher* dispatcher = utility::TaskDispatcher::instance()) {
    dispatcher->post(&ownerKey_, utility::makeTask(std::move(task)));
  }
}

void DownloaderModel::postInstallFinished(bool ok) {
  post([this, ok] {
    if (onInstallFinished_) onInstallFinished_(ok);
  });
}

void DownloaderModel::setEventSink(std::unique_ptr<model::EventSink> sink) { events_ = std::move(sink); }

void DownloaderModel::reportEvent(const std::wstring& name, const std::wstring& value) {
  ConfigImp::instance();
  if (events_) events_->enqueue(name, value);
}

void DownloaderModel::reportEventNow(const std::wstring& name, const std::wstring& value) {
  ConfigImp::instance();
  if (events_) events_->sendNow(name, value);
}

std::wstring DownloaderModel::versionDocumentUrl() const {
  return addresses_.versionDocument.empty() ? ConfigImp::instance().versionDocumentUrl() : addresses_.versionDocument;
}

std::wstring DownloaderModel::openidDocumentBaseUrl() const {
  return addresses_.openidDocumentBase.empty() ? ConfigImp::instance().openidDocumentBaseUrl()
                                               : addresses_.openidDocumentBase;
}

std::wstring DownloaderModel::defaultPackageUrl() const {
  return addresses_.defaultPackage.empty() ? ConfigImp::instance().defaultPackageUrl() : addresses_.defaultPackage;
}

void DownloaderModel::init(const std::wstring& commandLine) { initFrom(utility::modulePath(), commandLine); }

void DownloaderModel::initFrom(const std::wstring& modulePath, const std::wstring& commandLine) {
  const char* const kFunction = "DownloaderModel::init";
  ConfigImp& config = ConfigImp::instance();
  const std::wstring fileName = model::ownFileBaseName(modulePath);
  writeLog(kFunction, __LINE__, L"DownloaderModel exe filename= %s", fileName.c_str());

  model::FileNameParams params;
  if (model::parseFileNameParams(fileName, params)) {
    googleId_ += params.googleId;
    writeLog(kFunction, __LINE__, L"type: %s, package:%s, openID:%s google id %s", params.type.c_str(),
             params.package.c_str(), params.openid.c_str(), googleId_.c_str());
    writeLog(kFunction, __LINE__, L"type: %s, package:%s, openID:%s", params.type.c_str(), params.package.c_str(),
             params.openid.c_str());
    if (!params.openid.empty() && openid_ == L"100") openid_ = params.openid;
    if (!params.key.empty() && params.key.size() <= 3) {
      if (params.key == L"ens") {
        config.setRegionKey(L"en");
      } else {
        config.setRegionKey(params.key);
        language_ = params.key;
      }
    }
    if (params.package.size() > 5) package_ = params.package;
    model::Generation generation;
    if (model::generationFromType(params.type, generation)) {
      switch (generation) {
        case model::Generation::kGen4:
          config.setPlayer4();
          break;
        case model::Generation::kGen64:
          config.setPlayer64();
          break;
        case model::Generation::kGen9:
          config.setPlayer9();
          break;
        case model::Generation::kGen3:
          config.setPlayer3();
          break;
      }
    }
  }

  if (events_) events_->setTid(config.analyticsTrackingId());
  writeLog(kFunction, __LINE__, L"openid is %s, package is %s", openid_.c_str(), package_.c_str());
  _calcInstallPath();
  if (model::isPartnerAdChannel(openid_)) config.setAdId(L"Zentrix Installer_200");
  writeLog(kFunction, __LINE__, L"ad id : %s", config.adId().c_str());

  if (!commandLine.empty()) {
    auto pairs = model::parseCommandLinePairs(commandLine);
    if (!pairs.empty()) {
      model::AppRecord app;
      app.gameName = pairs[L"name"];
      app.packageName = pairs[L"package"];
      app.downloadUrl = pairs[L"apkurl"];
      if (!app.downloadUrl.empty()) apps_.push_back(app);
      writeLog(kFunction, __LINE__, L"cmdline is %s, %s, %s", app.gameName.c_str(), app.packageName.c_str(),
               app.downloadUrl.c_str());
    }
  }
  startVersionQuery();
}

void DownloaderModel::_calcInstallPath() {
  const char* const kFunction = "DownloaderModel::_calcInstallPath";
  ConfigImp& config = ConfigImp::instance();
  const std::wstring extraKey = config.extraRegistryKey();
  if (!extraKey.empty()) installPath_ = model::readInstallDir(extraKey);
  if (installPath_.empty()) installPath_ = model::readInstallDir(config.productRegistryKey());
  writeLog(kFunction, __LINE__, L"read from reg: path is %s", installPath_.c_str());
  if (!installPath_.empty()) return;
  installPath_ = model::bestInstallDrive(model::WinDiskQuery()) + config.productFolderName();
  writeLog(kFunction, __LINE__, L"get install path from MaxFreeSpace: %s", installPath_.c_str());
}

const std::wstring& DownloaderModel::applyChosenFolder(const std::wstring& candidate) {
  installPath_ = model::chosenInstallFolder(candidate, installPath_, ConfigImp::instance().productFolderName(),
                                            model::WinDiskQuery());
  return installPath_;
}

bool DownloaderModel::isValidInstallPath(const std::wstring& path) const {
  return model::isValidInstallPath(path, model::WinDiskQuery());
}

double DownloaderModel::freeMegabytes(const std::wstring& path) const {
  return model::freeMegabytes(path, model::WinDiskQuery());
}

std::wstring DownloaderModel::installClickCheck(bool licenceAccepted) {
  return model::installClickMessage(licenceAccepted, installPath_, model::WinDiskQuery());
}
