#include "model/install_path_rules.h"

#include "model/text_rules.h"

namespace model {
namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

void replaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Repeats until none is left, so a run of any length collapses.
void collapseAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  while (text.find(from) != std::wstring::npos) replaceAll(text, from, to);
}

bool hasFreeSpace(const std::wstring& root, const DiskQuery& disk) {
  std::uint64_t bytes = 0;
  return disk.freeBytes(root, bytes) && bytes > 0;
}

}  // namespace

double driveWeight(const std::wstring& root, const DiskQuery& disk) {
  std::uint64_t bytes = 0;
  if (!disk.freeBytes(root.substr(0, 3), bytes)) return 0;
  std::wstring fileSystem;
  // A volume whose information cannot be read still counts as usable.
  if (disk.fileSystemName(root, fileSystem) && fileSystem != L"FAT32" && fileSystem != L"NTFS") return 0;
  double megabytes = static_cast<double>(bytes) / kBytesPerMegabyte;
  if (disk.isSSD(root.substr(0, 2)) && static_cast<long long>(megabytes) > kSsdBoostMegabytes) {
    disk.onSsdBoost(root);
    megabytes *= 1000;
  }
  return megabytes;
}

std::wstring bestInstallDrive(const DiskQuery& disk) {
  std::wstring best;
  double bestWeight = 0;
  for (const std::wstring& root : disk.logicalDrives()) {
    if (!disk.isFixedDrive(root) || disk.isHotplugDrive(root.substr(0, 2))) continue;
    double weight = driveWeight(root, disk);
    if (weight > bestWeight) {
      bestWeight = weight;
      best = root;
    }
  }
  return best;
}

bool isValidInstallPath(const std::wstring& path, const DiskQuery& disk) {
  std::wstring text = lowerAscii(path);
  collapseAll(text, L"/", L"\\");
  collapseAll(text, L"\\\\", L"\\");
  text = trimChar(trimChar(text, L'\\'), L' ');
  if (text.size() < 3) return false;
  if (!hasFreeSpace(text.substr(0, 3), disk)) return false;
  const std::wstring rest = trimChar(text.substr(3), L' ');
  if (rest.find_first_of(L"/:*?\"<>|") != std::wstring::npos) return false;
  // Only parts closed by a backslash are examined; the last part may be anything left.
  std::size_t start = 0;
  for (std::size_t slash = rest.find(L'\\'); slash != std::wstring::npos; slash = rest.find(L'\\', start)) {
    if (trimChar(rest.substr(start, slash - start), L' ').empty()) return false;
    start = slash + 1;
  }
  return true;
}

double freeMegabytes(const std::wstring& path, const DiskQuery& disk) {
  std::uint64_t bytes = 0;
  if (!disk.freeBytes(path.substr(0, 3), bytes)) return 0;
  return static_cast<double>(bytes) / kBytesPerMegabyte;
}

std::wstring chosenInstallFolder(const std::wstring& candidate, const std::wstring& current,
                                 const std::wstring& productFolder, const DiskQuery& disk) {
  if (candidate == current) return current;
  std::wstring folder = candidate;
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  if (disk.isRoot(folder) ||
      (folder.find(L"Zentrix") == std::wstring::npos && folder.find(L"vqplayer") == std::wstring::npos)) {
    folder += productFolder;
  }
  if (!isValidInstallPath(folder, disk)) return folder;
  replaceAll(folder, L"/", L"\\");
  replaceAll(folder, L"\\\\", L"\\");  // one pass: a run of three leaves two
  folder = trimChar(folder, L' ');
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring installClickMessage(bool licenceAccepted, std::wstring& installPath, const DiskQuery& disk) {
  if (!licenceAccepted) return L"MsgBox_accept_protocol";
  installPath = trimChar(installPath, L' ');
  if (!isValidInstallPath(installPath, disk)) return L"MsgBox_error_path";
  if (freeMegabytes(installPath, disk) < kMinimumFreeMegabytes) return L"MsgBox_disk_notEnough";
  return std::wstring();
}

}  // namespace model
