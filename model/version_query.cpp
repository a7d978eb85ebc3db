// The version query on the version worker: the package address of the emulator generation and,
// when no app came from the command line, the openid document's apps and install settings.
#include "base/log.h"
#include "config/config_imp.h"
#include "model/documents.h"
#include "model/downloader_model.h"
#include "utility/text_convert.h"

namespace {

std::wstring fromUtf8(const std::string& bytes) { return utility::toWide(bytes, CP_UTF8); }
std::wstring fromAnsi(const std::string& bytes) { return utility::toWide(bytes, CP_ACP); }
const model::TextDecoders kDecoders{&fromUtf8, &fromAnsi};

model::Generation currentGeneration() {
  switch (ConfigImp::instance().generation()) {
    case 4:
      return model::Generation::kGen4;
    case 64:
      return model::Generation::kGen64;
    case 9:
      return model::Generation::kGen9;
    default:
      return model::Generation::kGen3;
  }
}

constexpr int kOpenidAttempts = 3;
constexpr DWORD kOpenidRetryMs = 1000;

}  // namespace

void DownloaderModel::startVersionQuery() {
  versionClient_.attachWorker(&versionWorker_);
  utility::RunablePtr task = utility::makeMemberTask(this, &DownloaderModel::_threadGetPlayerUrl);
  versionWorker_.start(task);
}

std::wstring DownloaderModel::playerUrl() const {
  return packagePublished_.load(std::memory_order_acquire) ? playerUrl_ : std::wstring();
}

void DownloaderModel::_threadGetPlayerUrl() {
  const char* const kFunction = "DownloaderModel::_threadGetPlayerUrl";
  // Whatever happens below, the window thread may use the fields once the step has ended.
  struct Publish {
    DownloaderModel* self;
    ~Publish() {
      self->packagePublished_.store(true, std::memory_order_release);
      self->queryFinished_.store(true, std::memory_order_release);
    }
  } publish{this};

  writeLog(kFunction, __LINE__, L"start get player url");
  std::string body;
  if (!versionClient_.download2mem(body, versionDocumentUrl())) {
    writeLog(kFunction, __LINE__, L"error 1");
    reportEvent(L"getPlayerUrl_error", openid_);
    return;
  }
  model::PackageInfo info;
  if (model::readVersionDocument(body, currentGeneration(), kDecoders, info) == model::VersionParse::kNotAnObject) {
    writeLog(kFunction, __LINE__, L"error 2");
    reportEvent(L"getPlayerUrl_error", openid_);
    return;
  }
  if (info.hasVersion) playerVersion_ = info.version;
  if (info.hasMd5) playerMd5_ = info.md5;
  if (info.hasUrl) playerUrl_ = info.url;
  // The download may start from here on; the openid document can take seconds more.
  packagePublished_.store(true, std::memory_order_release);
  if (apps_.empty()) _getPackageByOpenID(apps_);
}

void DownloaderModel::_getPackageByOpenID(std::vector<model::AppRecord>& apps) {
  const char* const kFunction = "DownloaderModel::_getPackageByOpenID";
  if (openid_.size() > 4) {
    writeLog(kFunction, __LINE__, L"start get package.");
    utility::CHttpClientWrapper client;
    client.attachWorker(&versionWorker_);
    const std::wstring url = openidDocumentBaseUrl() + openid_ + L".data";
    for (int attempt = 0; attempt < kOpenidAttempts; ++attempt) {
      std::string body;
      if (client.download2memOnce(body, url)) {
        model::readAppList(body, apps, kDecoders);
        model::readInstallSettings(body, settings_, kDecoders);
        break;
      }
      if (!versionWorker_.sleep(kOpenidRetryMs)) break;
    }
  }
  writeLog(kFunction, __LINE__, L"package is %s", package_.c_str());
}
