// A table of drives standing in for the Windows drive queries.
#pragma once

#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "model/install_path_rules.h"

namespace zxtest {

struct FakeDrive {
  std::wstring root;  // "E:\"
  bool fixed = true;
  bool hotplug = false;
  bool ssd = false;
  bool freeKnown = true;
  std::uint64_t freeBytes = 0;
  bool volumeKnown = true;
  std::wstring fileSystem = L"NTFS";
};

inline std::uint64_t megabytes(std::uint64_t mb) { return mb * 1048576ull; }

class FakeDisk final : public model::DiskQuery {
 public:
  explicit FakeDisk(std::vector<FakeDrive> drives) : drives_(std::move(drives)) {}

  bool freeBytes(const std::wstring& root, std::uint64_t& bytes) const override {
    const FakeDrive* drive = find(root);
    if (!drive || !drive->freeKnown) return false;
    bytes = drive->freeBytes;
    return true;
  }
  std::vector<std::wstring> logicalDrives() const override {
    std::vector<std::wstring> roots;
    for (const FakeDrive& drive : drives_) roots.push_back(drive.root);
    return roots;
  }
  bool isFixedDrive(const std::wstring& root) const override { return find(root) && find(root)->fixed; }
  bool isHotplugDrive(const std::wstring& drive) const override { return find(drive) && find(drive)->hotplug; }
  bool isSSD(const std::wstring& drive) const override { return find(drive) && find(drive)->ssd; }
  bool fileSystemName(const std::wstring& root, std::wstring& name) const override {
    const FakeDrive* drive = find(root);
    if (!drive || !drive->volumeKnown) return false;
    name = drive->fileSystem;
    return true;
  }
  bool isRoot(const std::wstring& path) const override {
    return path.size() == 3 && path[1] == L':' && path[2] == L'\\';
  }

 private:
  // Matches "e:", "E:\" and longer paths by their drive letter, as Windows does.
  const FakeDrive* find(const std::wstring& path) const {
    if (path.size() < 2 || path[1] != L':') return nullptr;
    for (const FakeDrive& drive : drives_) {
      if (std::towupper(drive.root[0]) == std::towupper(path[0])) return &drive;
    }
    return nullptr;
  }
  std::vector<FakeDrive> drives_;
};

}  // namespace zxtest
