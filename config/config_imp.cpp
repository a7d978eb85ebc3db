#include "config/config_imp.h"

#include "base/log.h"
#include "config/product_tables.h"

ConfigImp& ConfigImp::instance() {
  static ConfigImp* config = new ConfigImp();  // never destroyed: worker threads may outlive main
  return *config;
}

std::wstring ConfigImp::regionKey() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return regionKey_;
}

void ConfigImp::setRegionKey(const std::wstring& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  regionKey_ = key;
}

std::wstring ConfigImp::adId() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return adId_;
}

void ConfigImp::setAdId(const std::wstring& id) {
  std::lock_guard<std::mutex> lock(mutex_);
  adId_ = id;
}

bool ConfigImp::isGeneration4() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return isGeneration4_;
}

bool ConfigImp::isGeneration64() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return isGeneration64_;
}

bool ConfigImp::isGeneration9() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return isGeneration9_;
}

void ConfigImp::setGenerationFlags(bool is4, bool is64, bool is9) {
  std::lock_guard<std::mutex> lock(mutex_);
  isGeneration4_ = is4;
  isGeneration64_ = is64;
  isGeneration9_ = is9;
}

void ConfigImp::setPlayer4() {
  setGenerationFlags(true, false, false);
  writeLog("ConfigImp::setPlayer4", __LINE__, L"player is 4");
}

void ConfigImp::setPlayer64() {
  setGenerationFlags(false, true, false);
  writeLog("ConfigImp::setPlayer64", __LINE__, L"player is 64");
}

void ConfigImp::setPlayer9() { setGenerationFlags(false, false, true); }

void ConfigImp::setPlayer3() { setGenerationFlags(false, false, false); }

int ConfigImp::generation() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return generationLocked();
}

int ConfigImp::generationLocked() const {
  if (isGeneration4_) return 4;
  if (isGeneration64_) return 64;
  if (isGeneration9_) return 9;
  return 3;
}

ConfigImp::Pair ConfigImp::pair() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return Pair{generationLocked(), regionKey_};
}

std::wstring ConfigImp::productFolderName() const {
  Pair current = pair();
  return config::productFolderName(current.generation, current.regionKey);
}

std::wstring ConfigImp::productRegistryKey() const {
  Pair current = pair();
  return config::productRegistryKey(current.generation, current.regionKey);
}

std::wstring ConfigImp::extraRegistryKey() const {
  Pair current = pair();
  return config::extraRegistryKey(current.generation, current.regionKey);
}

std::wstring ConfigImp::defaultPackageUrl() const {
  Pair current = pair();
  return config::defaultPackageUrl(current.generation, current.regionKey);
}

std::wstring ConfigImp::packageFilePath(const std::wstring& folder) const {
  return config::packageFilePath(folder, regionKey());
}

std::wstring ConfigImp::versionDocumentUrl() const { return config::versionDocumentUrl(regionKey()); }

std::wstring ConfigImp::openidDocumentBaseUrl() const { return config::openidDocumentBaseUrl(regionKey()); }

std::wstring ConfigImp::languageBundlePath() const { return config::languageBundlePath(regionKey()); }

std::wstring ConfigImp::homePageUrl() const { return config::homePageUrl(regionKey()); }

std::wstring ConfigImp::socialPageUrl() const { return config::socialPageUrl(regionKey()); }

std::wstring ConfigImp::offlineInstallerUrl() const { return config::offlineInstallerUrl(regionKey()); }

std::wstring ConfigImp::analyticsTrackingId() const { return config::analyticsTrackingId(regionKey()); }
