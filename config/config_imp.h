// The process-wide product constants: the region key, the emulator generation and the ad id,
// and every table of config/product_tables.h answered for the current pair. Written on the
// window thread, read from any thread.
#pragma once

#include <mutex>
#include <string>

class ConfigImp {
 public:
  // The single instance, created with the defaults on first use and never destroyed.
  static ConfigImp& instance();

  std::wstring regionKey() const;
  void setRegionKey(const std::wstring& key);

  std::wstring adId() const;
  void setAdId(const std::wstring& id);

  bool isGeneration4() const;
  bool isGeneration64() const;
  bool isGeneration9() const;
  void setGenerationFlags(bool is4, bool is64, bool is9);

  // The generation selectors of the launch parameters; 4 and 64 log the choice.
  void setPlayer4();
  void setPlayer64();
  void setPlayer9();
  void setPlayer3();

  // 4, 64, 9 or 3, by the first flag set.
  int generation() const;

  std::wstring productFolderName() const;
  std::wstring productRegistryKey() const;
  std::wstring extraRegistryKey() const;
  std::wstring defaultPackageUrl() const;
  std::wstring packageFilePath(const std::wstring& folder) const;
  std::wstring versionDocumentUrl() const;
  std::wstring openidDocumentBaseUrl() const;
  std::wstring languageBundlePath() const;
  std::wstring homePageUrl() const;
  std::wstring socialPageUrl() const;
  std::wstring offlineInstallerUrl() const;
  std::wstring analyticsTrackingId() const;

  ConfigImp(const ConfigImp&) = delete;
  ConfigImp& operator=(const ConfigImp&) = delete;

 private:
  ConfigImp() = default;

  // The generation and key read together, so a table never mixes an old key with a new one.
  struct Pair {
    int generation;
    std::wstring regionKey;
  };
  Pair pair() const;
  int generationLocked() const;

  mutable std::mutex mutex_;
  std::wstring regionKey_ = L"en";
  std::wstring adId_ = L"Zentrix Installer";
  bool isGeneration4_ = true;
  bool isGeneration64_ = false;
  bool isGeneration9_ = false;
};
