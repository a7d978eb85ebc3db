// The Windows drive queries behind the install folder rules, and the registry reader that
// finds an installed emulator's folder.
#pragma once

#include <string>

#include "model/install_path_rules.h"

namespace helper::disk {
// Weight of a drive root for the install folder choice (see model::driveWeight).
double CalcAvaliableSpace(const std::wstring& root);
// TRIM support of a drive such as "D:".
bool isSSD(const std::wstring& drive);
}  // namespace helper::disk

namespace model {

// True unless the drive reports fixed media on a device that cannot be unplugged; a failed
// query counts as hot-pluggable.
bool isHotplugDrive(const std::wstring& drive);

// "InstallDir" under HKEY_CURRENT_USER\keyPath, empty when absent. The key is opened with
// create semantics, so a missing key is left behind empty.
std::wstring readInstallDir(const std::wstring& keyPath);

class WinDiskQuery final : public DiskQuery {
 public:
  bool freeBytes(const std::wstring& root, std::uint64_t& bytes) const override;
  std::vector<std::wstring> logicalDrives() const override;
  bool isFixedDrive(const std::wstring& root) const override;
  bool isHotplugDrive(const std::wstring& drive) const override;
  bool isSSD(const std::wstring& drive) const override;
  bool fileSystemName(const std::wstring& root, std::wstring& name) const override;
  bool isRoot(const std::wstring& path) const override;
  void onSsdBoost(const std::wstring& root) const override;
};

}  // namespace model
