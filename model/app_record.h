// What the openid document (or the command line) says about the apps to hand over to the
// emulator and about the installation itself.
#pragma once

#include <string>

namespace model {

struct AppRecord {
  std::wstring downloadUrl;
  std::wstring packageName;
  std::wstring gameName;  // also the local file name of the downloaded package
  std::wstring iconUrl;
  std::wstring resolution;
  std::wstring apkPath;  // handed to the emulator as "apk="; the installer never fills it
  std::wstring gameId;
  bool fromAppStore = false;
  bool isXapk = false;
};

struct InstallSettings {
  std::wstring launchImageHUrl;
  std::wstring launchImageVUrl;
  std::wstring title;
  std::wstring runApp;
  std::wstring qqLink;
  std::wstring shortcutName;
  std::wstring shortcutUrl;
  std::wstring heapSize;
  bool showAds = true;
  bool cleanModel = false;
  bool runAppStore = true;
  int useRoot = -1;  // -1 when the document does not say, else 0 or 1
};

}  // namespace model
